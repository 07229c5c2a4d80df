#pragma once

#include <array>
#include <string>

namespace skarnel {

inline constexpr int kMenuTextCount = 17;
inline constexpr int kMenuImageCount = 15;

// The menu pane's label in text set 0 (language 0) or set 1 (any other language).
const std::string& MenuText(int language, int textIndex);

// One item of the menu pane's tree, in the order the items are added.
struct MenuTreeItem {
    int level;      // 0 the root, 1 a group under it, 2 an item of a group
    int textIndex;  // into the text sets
    int data;       // what a click requests from the main frame; -1 for a heading
    int image;      // 0..14
};

inline constexpr size_t kMenuTreeItemCount = 14;
const std::array<MenuTreeItem, kMenuTreeItemCount>& MenuTreeItems();

}  // namespace skarnel
