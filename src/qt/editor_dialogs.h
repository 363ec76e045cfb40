// The frame's editor dialogs: Go Editor ("GOEDIT"), Step Editors ("STEPEDIT", "STEPTOFN") and the
// code and data event editors ("BKPTEDIT", "BKPTDEDIT"). Each ends in one command line for the
// dispatcher; an incomplete or contradictory entry is reported and the dialog stays open.
#pragma once
#include <cstdint>
#include <string>

namespace yav {

class ViewServices;

// Frame ids 202 (Go Till), 212 (Go To Function Entry), 206 (Step Until), 213 (Step To Function
// Entry), 805 (code event), 806 (data event). Returns the command line, empty when cancelled.
std::string runEditorDialog(ViewServices& services, uint16_t id);

}  // namespace yav
