#include "support/scratch.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace test_support {

Scratch::Scratch() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vorlan-test-XXXXXX").string();
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (mkdtemp(buf.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    dir_ = buf.data();
}

Scratch::~Scratch() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

std::string Scratch::path(std::string const& name) const { return dir_ + "/" + name; }

void Scratch::write(std::string const& name, std::string const& bytes) const { write_file(path(name), bytes); }

std::string Scratch::read(std::string const& name) const { return read_file(path(name)); }

bool Scratch::exists(std::string const& name) const { return std::filesystem::exists(path(name)); }

std::map<std::string, std::string> Scratch::snapshot() const {
    std::map<std::string, std::string> entries;
    for (auto const& entry : std::filesystem::recursive_directory_iterator(dir_)) {
        // Lexically: a symbolic link keeps its own name instead of its target's.
        std::string const name = entry.path().lexically_relative(dir_).string();
        if (entry.is_directory()) {
            entries[name] = "(folder)";
        } else if (!entry.is_regular_file()) {
            entries[name] = "(special)";
        } else {
            std::ifstream in(entry.path(), std::ios::binary);
            entries[name] = in ? std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())
                               : "(unreadable)";
        }
    }
    return entries;
}

std::string read_file(std::string const& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_file(std::string const& path, std::string const& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + path);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace test_support
