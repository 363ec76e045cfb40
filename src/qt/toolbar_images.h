// The toolbar's images by their bitmap names ("GOmap", "STOPmap" ...), drawn once from a table.
#pragma once
#include <QIcon>
#include <string_view>

namespace yav {

// The image of a toolbar entry; a null icon for a name the table does not know.
QIcon toolbarImage(std::string_view name);

}  // namespace yav
