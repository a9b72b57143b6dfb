#pragma once
#include <initializer_list>
#include <string>

namespace test_support {

// Bytes written by their values, octets({0x41, 0xFF}), held in a std::string as the programs
// hold files and ROM images; a value above 0x7F is the same byte in a signed char.
inline std::string octets(std::initializer_list<int> valeurs) {
    std::string s;
    for (int v : valeurs) s += static_cast<char>(v);
    return s;
}

}  // namespace test_support
