// What the target layer lends the kernel: the download bracket of the loader, the register
// block behind the kernel's register model, and memory writes.
#pragma once
#include "engine/download.h"
#include "engine/kernel.h"
#include "target/target_access.h"

namespace yav::target {

// Installs the downloader (k.prog.downloader) and the register hooks of the kernel.
void installTargetAccess(Kernel& k);

// Conversion between the chip library's register block and the kernel's register file.
RegisterFile toRegisterFile(const RegisterBlock& block);
void toRegisterBlock(const RegisterFile& file, RegisterBlock& block);

}  // namespace yav::target
