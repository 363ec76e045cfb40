// Loading of the cable library and the chip libraries, and selection of the current chip.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "engine/kernel.h"
#include "engine/target_setup.h"

namespace yav::target {

inline constexpr const char* kCableLibraryName = "UNIT_hcs08z.so";
inline constexpr const char* kChipLibraryFolder = "KT55RDLLS";

// Folder the libraries are looked for in: the state's override, else the program's folder.
std::string libraryFolder(const Kernel& k);

// Loads the cable library with all 40 entry points; a second call succeeds at once. On failure
// reports "UNIT_hcs08z.DLL Missing or Obsolete" and marks exit code 1000 for a batch run.
bool loadCableLibrary(Kernel& k);

// Finds the chip libraries in <folder>/KT55RDLLS/*.so that export the twelve discovery entry
// points, records their chip lists and unloads them again. Returns how many were found; none:
// reports "NO TARGET DLLs available" and marks exit code 100 for a batch run.
int discoverChipLibraries(Kernel& k);

// The chip names of a GetChips block: NUL-terminated names, closed by an empty name, within
// `length` bytes.
std::vector<std::string> parseChipBlock(const char* block, int length);

// Makes the chip library offering `name` current (the last that loads, in discovery order).
// Returns true on success; a library that fails is unloaded and the current one stays.
bool selectChip(Kernel& k, std::string_view name);

// What the Setup dialog shows of the cable; the cable's version only when the cable is loaded
// and its status is trustworthy.
using yav::CableReport;
CableReport cableReport(Kernel& k);

// The current chip library's part of the Setup dialog (`emsetup` with `operation`); 1 when there
// is none.
int chipSetup(Kernel& k, int operation);

}  // namespace yav::target
