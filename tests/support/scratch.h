#pragma once
#include <map>
#include <string>

namespace test_support {

// A fresh folder under the system's temporary folder, removed with everything in it.
class Scratch {
public:
    Scratch();
    ~Scratch();
    Scratch(Scratch const&) = delete;
    Scratch& operator=(Scratch const&) = delete;

    std::string const& dir() const { return dir_; }
    // Full path of a file inside the folder.
    std::string path(std::string const& name) const;
    void write(std::string const& name, std::string const& bytes) const;
    std::string read(std::string const& name) const;
    bool exists(std::string const& name) const;
    // Every entry below the folder by its relative path: a file by its bytes, anything else by
    // a mark ("(folder)", "(special)", "(unreadable)"), to tell that a command changed nothing.
    std::map<std::string, std::string> snapshot() const;

private:
    std::string dir_;
};

// Whole-file helpers for any path.
std::string read_file(std::string const& path);
void write_file(std::string const& path, std::string const& bytes);

}  // namespace test_support
