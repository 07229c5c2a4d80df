#pragma once

namespace skarnel {

// The application object: reads the command line, picks the settings store, creates the main
// frame and runs it (or renders it into a picture with --screenshot).
class CVennacorApp final {
public:
    int Run(int argc, char** argv);
};

}  // namespace skarnel
