// The entry points of the cable library and of the chip libraries, as data: one row per
// entry with its name, result type and parameter list. The loaders fill the tables below
// with dlsym by these names; every other part of the debugger calls through them.
//
// Results: the chip-library memory, register and load calls return 0 when done and nonzero
// on a failure, so a missing optional entry (skipped, result 0) counts as done.
#pragma once
#include <cstdint>

// X(name, result, parameters)
#define YAV_CABLE_ENTRIES(X)                                                                  \
  X(query_number_of_parallel_ports, int, (void))                                              \
  X(query_number_of_usb_devices, int, (void))                                                 \
  X(init_port, uint8_t, (uint16_t port))                                                      \
  X(init_port_usb, uint8_t, (uint16_t port))                                                  \
  X(close_port, void, (void))                                                                 \
  X(set_protocol_options, void, (uint8_t setClksw, uint8_t useSync, uint8_t, uint8_t, int syncLen)) \
  X(do_sync_and_set_io_delay_cnt, void, (int count))                                          \
  X(reset_cable, void, (void))                                                                \
  X(check_cable_error, uint8_t, (void))                                                       \
  X(preset_communication_speed, void, (uint16_t speed))                                       \
  X(read_communication_speed, uint16_t, (void))                                               \
  X(force_background_mode, uint8_t, (void))                                                   \
  X(go_to_background, uint8_t, (void))                                                        \
  X(read_status, uint8_t, (void))                                                             \
  X(write_control, void, (uint8_t control))                                                   \
  X(drive_bgnd_low, void, (void))                                                             \
  X(drive_bgnd_tristate, void, (void))                                                        \
  X(single_step, void, (void))                                                                \
  X(resume, void, (void))                                                                     \
  X(test_for_freeze, uint8_t, (void))                                                         \
  X(write_breakpoint, void, (uint16_t address))                                               \
  X(read_breakpoint, uint16_t, (void))                                                        \
  X(get_cable_version, uint16_t, (void))                                                      \
  X(get_dll_version, uint16_t, (void))                                                        \
  X(write_data_byte, void, (uint16_t address, uint8_t value))                                 \
  X(version, uint16_t, (void))                                                                \
  X(data_from_cpu_value, uint16_t, (uint8_t* block))                                          \
  X(put_cpu_values, void, (const uint8_t* block))                                             \
  X(get_cpu_values, void, (uint8_t* block))                                                   \
  X(load_bin_file, int, (const char* path, uint16_t address))                                 \
  X(load_srec_file, int, (const char* path))                                                  \
  X(read_data_long, uint32_t, (uint16_t address))                                            \
  X(read_data_word, uint16_t, (uint16_t address))                                            \
  X(read_data_byte, uint8_t, (uint16_t address))                                              \
  X(write_data_long, void, (uint16_t address, uint32_t value))                                \
  X(write_data_word, void, (uint16_t address, uint16_t value))                                \
  X(check_revB_cable_or_later, uint8_t, (void))                                               \
  X(read_bdc_frequency, uint32_t, (void))                                                     \
  X(put_data_byte_block, void, (uint16_t address, const uint8_t* data, int length))           \
  X(get_data_byte_block, void, (uint16_t address, uint8_t* data, int length))

// The twelve names a chip library must export to be taken at all.
#define YAV_CHIP_DISCOVERY_ENTRIES(X)                                    \
  X(InitDll, int, (void* frame, void* module, void* instance))           \
  X(GetChips, const char*, (int* length))

// The ten names required again when a chip library is made current, in the order fetched.
#define YAV_CHIP_REQUIRED_ENTRIES(X)                                                    \
  X(emload, int, (const uint8_t* buffer, uint32_t address, int length))                 \
  X(emget, int, (uint8_t* buffer, uint32_t address, int length))                        \
  X(emset, int, (const uint8_t* buffer, uint32_t address, int length))                  \
  X(getregs, int, (uint8_t* block))                                                     \
  X(putregs, int, (const uint8_t* block))                                               \
  X(eminitload, int, (void))                                                            \
  X(HardBreaks, int, (void))                                                            \
  X(SetBreaks, int, (int count, const uint8_t* kinds, const uint32_t* addresses))       \
  X(SetUserBreaks, int, (int beforeRun, int* disable))                                  \
  X(emendload, int, (void))

// Entries a chip library may leave out.
#define YAV_CHIP_OPTIONAL_ENTRIES(X)                                                      \
  X(CloseDll, int, (void))                                                                \
  X(emconnect, int, (void))                                                               \
  X(emsetup, int, (int operation, void* dialog, void* font))                              \
  X(emtarget, int, (void))                                                                \
  X(emreset, int, (int flag))                                                             \
  X(SetChip, int, (const char* name))                                                     \
  X(Flash, int, (void))                                                                   \
  X(Trace, uint32_t, (uint32_t* entries, int* dataFlag))                                  \
  X(SetTrace, int, (int count, int till, const uint8_t* kinds, const uint32_t* addresses)) \
  X(emconsole, int, (char* buffer, int size))                                             \
  X(emconsolein, int, (const char* bytes, int length))                                    \
  X(empin, int, (const char* name, int level))                                            \
  X(emtime, int, (unsigned long long* cycles, double* microseconds))

namespace yav::target {

#define YAV_DECLARE_POINTER(name, result, params) result(*name) params = nullptr;

// The cable library's 40 entry points.
struct CableEntries {
  YAV_CABLE_ENTRIES(YAV_DECLARE_POINTER)
};

// A chip library's entry points once it is current (absent optional ones stay null).
struct ChipEntries {
  YAV_CHIP_DISCOVERY_ENTRIES(YAV_DECLARE_POINTER)
  YAV_CHIP_REQUIRED_ENTRIES(YAV_DECLARE_POINTER)
  YAV_CHIP_OPTIONAL_ENTRIES(YAV_DECLARE_POINTER)
};

#undef YAV_DECLARE_POINTER

}  // namespace yav::target
