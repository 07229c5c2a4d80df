#pragma once

#include <array>
#include <string>

namespace skarnel {

class Reporter;
struct ProductInfo;

// The Firmware view's five product lines, top to bottom: name, buyer, application version,
// boot loader version, product code.
using ProductLineTexts = std::array<std::string, 5>;

// The lines before anything was read.
ProductLineTexts BlankProductLines();
ProductLineTexts ProductLinesOf(const ProductInfo& info);

// Where the upgrade shows what it read from the controller.
class ProductLines {
public:
    virtual ~ProductLines() = default;
    virtual void ShowProductLines(const ProductInfo& info) = 0;
};

// "Product Information Read From Controller" and the two lines of what was read.
void LogControllerProduct(Reporter& window, const ProductInfo& info);

}  // namespace skarnel
