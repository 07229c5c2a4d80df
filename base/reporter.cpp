#include "base/reporter.h"

namespace skarnel {

NullReporter& NullReporter::Instance()
{
    static NullReporter reporter;
    return reporter;
}

}  // namespace skarnel
