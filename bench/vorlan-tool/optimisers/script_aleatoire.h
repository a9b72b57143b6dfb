#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace bench_optimiseurs {

// An extracted script of exactly `taille` bytes, the same for the same seed: texts each
// behind a pointer tag, made of sentences whose words come from a fixed vocabulary with a
// skewed (Zipf-like) frequency, with raw bytes "<0C>", bracketed codes "[NOM]" and line feeds.
std::string script_de_jeu(std::size_t taille, std::uint32_t graine);

// A short script over a small alphabet, so that repeats, overlapping words, tags (some left
// open) and control bytes all occur often.
std::string petit_script(std::uint32_t graine);

}  // namespace bench_optimiseurs
