// Verify: compares an S-record file with the target's memory byte by byte. A paged record
// (page << 16 | address) is read through the window with its page written to 0x78; the page
// register is set back afterwards.
#pragma once
#include "engine/kernel.h"
#include "engine/target_verify.h"

namespace yav::target {

using yav::VerifyOutcome;
using yav::VerifyProgress;
using yav::VerifyRequest;
using yav::VerifyResult;

// Runs the comparison and reports its outcome ("Verify Successfull", "Error at: ...", ...)
// through the kernel's error report and information boxes.
VerifyResult verifyImage(Kernel& k, const VerifyRequest& req, const VerifyProgress& progress = {});

}  // namespace yav::target
