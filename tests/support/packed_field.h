#pragma once

namespace skarnel::test {

// A field of a packed record may sit at any address, and the assertions take their operands by
// reference: they compare a copy.
template <typename Field> constexpr Field Copied(Field field)
{
    return field;
}

}  // namespace skarnel::test
