// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whether a file name matches a wildcard pattern: "*" stands for any run of
// characters, "?" for exactly one; letters A-Z match either case. Names are
// bytes, so names that are not valid UTF-8 match like any other.
bool MatchWildcard(const char* Pattern, const char* Name);
