// The download bracket through which a load writes its sections into the target.
#pragma once
#include "engine/download.h"
#include "engine/kernel.h"

namespace yav::target {

// Installs the target's downloader as the loader's path (k.prog.downloader).
void installDownloader(Kernel& k);

}  // namespace yav::target
