#pragma once

#include <string>

namespace skarnel {

// How an off-line tool ended. The views show message in a box when it is not empty; the
// command line prints it, and the operating system's reason where the views stay silent.
struct ToolResult {
    bool succeeded = false;
    std::string message;
    std::string reason;

    static ToolResult Success(std::string text) { return {true, std::move(text), {}}; }
    static ToolResult Failure(std::string text, std::string why = {}) { return {false, std::move(text), std::move(why)}; }
};

}  // namespace skarnel
