// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fs/Directory.h"

#include <string>
#include <vector>

// Whether a mount is a real file system (a disk, a FUSE block device or a
// network share) rather than a pseudo file system.
bool IsRealFileSystem(const std::string& Type, const std::string& Device);
// The mount points ("drives") that a scan of all drives visits, each ending
// in "/".
std::vector<std::string> LogicalDrives();
// The top of the mount that Folder lies on, links on the way resolved, into
// Top (ending in "/"). Told by mount ids, so a bind mount's top is where it
// is mounted, even on the same file system as its parent. 0 or the errno.
int MountTop(const std::string& Folder, std::string& Top);
// Whether the open folder Fd (of that identity) lies on a pseudo file
// system: proc, sysfs, cgroups, devtmpfs and the like, which hold no files
// of their own and link back into the whole system. One fstatfs; only a
// tmpfs mount is looked up in the mount table, as devtmpfs shares its number.
bool IsPseudoFileSystem(int Fd, const TFileIdentity& Identity);
