#pragma once

#include <string>
#include <vector>

// Whether a mount is a real file system (a disk, a FUSE block device or a
// network share) rather than a pseudo file system.
bool IsRealFileSystem(const std::string& Type, const std::string& Device);
// The mount points ("drives") that a scan of all drives visits, each ending
// in "/".
std::vector<std::string> LogicalDrives();
