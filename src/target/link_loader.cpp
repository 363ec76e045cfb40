#include "target/link_loader.h"

#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <filesystem>

#include "engine/errors.h"
#include "platform/ini.h"
#include "platform/program_dir.h"
#include "target/chip_target.h"

namespace yav::target {

namespace {

// Whether `symbol` lies in the library of `handle` itself, not in one it depends on: a
// library counts only for the entry points it exports.
bool ownSymbol(void* handle, void* symbol) {
  struct link_map* library = nullptr;
  if (dlinfo(handle, RTLD_DI_LINKMAP, &library) != 0 || library == nullptr) return false;
  Dl_info info;
  struct link_map* owner = nullptr;
  if (dladdr1(symbol, &info, reinterpret_cast<void**>(&owner), RTLD_DL_LINKMAP) == 0) return false;
  return owner == library;
}

// Fills one pointer from the library; false when the name is missing.
template <typename Fn>
bool fetch(void* handle, const char* name, Fn& slot) {
  void* symbol = dlsym(handle, name);
  slot = (symbol != nullptr && ownSymbol(handle, symbol)) ? reinterpret_cast<Fn>(symbol) : nullptr;
  return slot != nullptr;
}

#define YAV_FETCH_ALL(name, result, params) ok = fetch(handle, #name, table.name) && ok;
#define YAV_FETCH_SOME(name, result, params) fetch(handle, #name, table.name);

bool fetchCable(void* handle, CableEntries& table) {
  bool ok = true;
  YAV_CABLE_ENTRIES(YAV_FETCH_ALL)
  return ok;
}

bool fetchDiscovery(void* handle, ChipEntries& table) {
  bool ok = true;
  YAV_CHIP_DISCOVERY_ENTRIES(YAV_FETCH_ALL)
  YAV_CHIP_REQUIRED_ENTRIES(YAV_FETCH_ALL)
  return ok;
}

bool fetchRequired(void* handle, ChipEntries& table) {
  bool ok = true;
  YAV_CHIP_REQUIRED_ENTRIES(YAV_FETCH_ALL)
  return ok;
}

void fetchOptional(void* handle, ChipEntries& table) { YAV_CHIP_OPTIONAL_ENTRIES(YAV_FETCH_SOME) }

#undef YAV_FETCH_ALL
#undef YAV_FETCH_SOME

void* openLibrary(const std::string& path) { return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }

// Plain files named *.so, not hidden and not editor leftovers, in name order.
std::vector<std::string> chipLibraryFiles(const std::string& folder) {
  namespace fs = std::filesystem;
  std::vector<std::string> files;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path& p = it->path();
    const std::string name = p.filename().string();
    if (name.empty() || name.front() == '.' || name.back() == '~') continue;
    if (p.extension() != ".so") continue;
    std::error_code sec;
    if (!it->is_regular_file(sec)) continue;
    files.push_back(p.string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

std::string libraryFolder(const Kernel& k) {
  return targetState(k).libraryFolder.empty() ? platform::programFolder() : targetState(k).libraryFolder;
}

bool loadCableLibrary(Kernel& k) {
  TargetState& t = targetState(k);
  if (t.cableLoaded) return true;
  std::string path = t.cableLibraryPath;
  if (path.empty()) {
    path = libraryFolder(k) + "/" + kCableLibraryName;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) path = kCableLibraryName;  // the loader's search path
  }
  void* handle = openLibrary(path);
  CableEntries table;
  if (handle == nullptr || !fetchCable(handle, table)) {
    if (handle) dlclose(handle);
    errmsg(k, {"UNIT_hcs08z.DLL", " Missing or Obsolete"});
    k.ui->LeftStatus(" Command ");
    t.fatalExitCode = 1000;
    return false;
  }
  t.cableHandle = handle;
  t.cable = table;
  t.cableLoaded = true;
  return true;
}

std::vector<std::string> parseChipBlock(const char* block, int length) {
  std::vector<std::string> names;
  if (block == nullptr || length <= 0) return names;
  size_t pos = 0;
  const size_t end = static_cast<size_t>(length);
  while (pos < end) {
    size_t stop = pos;
    while (stop < end && block[stop] != '\0') ++stop;
    if (stop == pos) break;  // the empty name closes the list
    names.emplace_back(block + pos, stop - pos);
    pos = stop + 1;
  }
  return names;
}

int discoverChipLibraries(Kernel& k) {
  TargetState& t = targetState(k);
  t.chipLibraries.clear();
  for (const std::string& file : chipLibraryFiles(libraryFolder(k) + "/" + kChipLibraryFolder)) {
    void* handle = openLibrary(file);
    if (handle == nullptr) continue;
    ChipEntries table;
    if (fetchDiscovery(handle, table)) {
      int length = 0;
      const char* block = table.GetChips(&length);
      t.chipLibraries.push_back({file, parseChipBlock(block, std::min(length, 1 << 16))});
    }
    dlclose(handle);
  }
  if (t.chipLibraries.empty()) {
    errmsg(k, {"NO TARGET DLLs available"});
    t.fatalExitCode = 100;
  }
  return static_cast<int>(t.chipLibraries.size());
}

bool selectChip(Kernel& k, std::string_view name) {
  TargetState& t = targetState(k);
  bool selected = false;
  for (size_t i = 0; i < t.chipLibraries.size(); ++i) {
    const ChipLibraryRecord& rec = t.chipLibraries[i];
    if (std::find(rec.chips.begin(), rec.chips.end(), name) == rec.chips.end()) continue;
    void* handle = openLibrary(rec.path);
    if (handle == nullptr) continue;
    ChipEntries table;
    bool usable = fetch(handle, "InitDll", table.InitDll) && table.InitDll(nullptr, handle, nullptr) != 0 &&
                  fetchRequired(handle, table);
    if (!usable) {
      dlclose(handle);
      continue;
    }
    if (t.chip.CloseDll) t.chip.CloseDll();
    if (t.chipHandle) t.retiredChipHandles.push_back(t.chipHandle);
    fetch(handle, "GetChips", table.GetChips);
    fetchOptional(handle, table);
    t.chipName = std::string(name);
    platform::iniSet("TARGET", "CHIP", t.chipName);
    if (table.SetChip) table.SetChip(t.chipName.c_str());
    t.menuTitle = "&Target (" + t.chipName + ")";
    k.ui->targetMenuTitle(t.menuTitle);
    t.chip = table;
    t.chipHandle = handle;
    t.currentChipLibrary = static_cast<int>(i);
    selected = true;
  }
  return selected;
}

CableReport cableReport(Kernel& k) {
  const TargetState& t = targetState(k);
  CableReport r;
  if (!t.cableLoaded) return r;
  // The cable version is trusted only from an enabled controller with no error bits.
  const uint8_t status = t.cable.read_status();
  r.dllVersion = t.cable.get_dll_version();
  if ((status & 0x80) && (status & 0x07) == 0) r.cableVersion = t.cable.get_cable_version();
  r.parallelPorts = t.cable.query_number_of_parallel_ports();
  r.usbDevices = t.cable.query_number_of_usb_devices();
  return r;
}

int chipSetup(Kernel& k, int operation) {
  const auto fn = targetState(k).chip.emsetup;
  return fn ? fn(operation, nullptr, nullptr) : 1;
}

}  // namespace yav::target
