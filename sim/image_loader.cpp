#include "sim/image_loader.h"

#include <fstream>
#include <sstream>

#include "model/hex_records.h"

namespace yav::sim {

ImageLoad parse_image(std::string_view text) {
  ImageLoad r;
  hexrec::Image image;
  if (!hexrec::readImage(text, image, r.error)) return r;
  for (hexrec::Block& b : image.blocks) r.blocks.push_back({b.address, std::move(b.bytes)});
  r.ok = true;
  return r;
}

ImageLoad load_image_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    ImageLoad r;
    r.error = "cannot open " + path;
    return r;
  }
  std::ostringstream ss;
  ss << in.rdbuf();
  ImageLoad r = parse_image(ss.str());
  if (!r.ok) r.error = path + ": " + r.error;
  return r;
}

}  // namespace yav::sim
