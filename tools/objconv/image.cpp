#include "objconv/image.h"

#include "model/hex_records.h"

namespace objconv {

bool parseImage(const std::string& text, std::vector<ImageRun>& runs, std::string& error) {
  yav::hexrec::Image image;
  if (!yav::hexrec::readImage(text, image, error)) {
    error = "image " + error;
    return false;
  }
  runs.clear();
  for (yav::hexrec::Block& b : image.blocks) runs.push_back({b.address, std::move(b.bytes)});
  return true;
}

}  // namespace objconv
