#pragma once

namespace bench_optimiseurs {

// Sends stdout to a file for the lifetime of the object, then back where it was.
class Redirection {
public:
    explicit Redirection(char const* chemin);
    ~Redirection();
    Redirection(Redirection const&) = delete;
    Redirection& operator=(Redirection const&) = delete;

private:
    int ancienne_;
};

}  // namespace bench_optimiseurs
