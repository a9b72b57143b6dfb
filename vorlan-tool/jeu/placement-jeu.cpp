#include "jeu/placement-jeu.h"

#include <algorithm>
#include <numeric>

namespace Jeu {

namespace {

void poser(std::vector<std::optional<long long>>& positions, std::size_t t, long long taille, Segment& segment) {
    positions[t] = segment.curseur;
    segment.curseur += taille;
}

void placer_dans_l_ordre(std::vector<long long> const& tailles, std::vector<Segment>& segments,
                         std::function<bool(std::size_t, long long)> const& atteignable,
                         std::vector<std::optional<long long>>& positions) {
    std::size_t courant = 0;
    for (std::size_t t = 0; t < tailles.size(); ++t) {
        for (std::size_t s = courant; s < segments.size(); ++s) {
            if (segments[s].libre() < tailles[t] || !atteignable(t, segments[s].curseur)) continue;
            poser(positions, t, tailles[t], segments[s]);
            courant = s;
            break;
        }
    }
}

void placer_au_plus_juste(std::vector<long long> const& tailles, std::vector<Segment>& segments,
                          std::function<bool(std::size_t, long long)> const& atteignable,
                          std::vector<std::optional<long long>>& positions) {
    // Texts that few segments can hold go first, so that texts free to go anywhere do not take
    // the only room that others can reach.
    std::vector<std::size_t> portee(tailles.size(), 0);
    for (std::size_t t = 0; t < tailles.size(); ++t)
        for (Segment const& s : segments)
            if (s.libre() >= tailles[t] && atteignable(t, s.debut)) ++portee[t];
    std::vector<std::size_t> ordre(tailles.size());
    std::iota(ordre.begin(), ordre.end(), std::size_t{0});
    std::stable_sort(ordre.begin(), ordre.end(), [&](std::size_t a, std::size_t b) {
        return portee[a] != portee[b] ? portee[a] < portee[b] : tailles[a] > tailles[b];
    });
    for (std::size_t t : ordre) {
        Segment* meilleur = nullptr;
        for (Segment& s : segments) {
            if (s.libre() < tailles[t] || (meilleur != nullptr && s.libre() >= meilleur->libre())) continue;
            if (atteignable(t, s.curseur)) meilleur = &s;
        }
        if (meilleur != nullptr) poser(positions, t, tailles[t], *meilleur);
    }
}

}  // namespace

std::vector<std::optional<long long>> placer(std::vector<long long> const& tailles, std::vector<Segment>& segments,
                                             Mode_placement mode,
                                             std::function<bool(std::size_t, long long)> const& atteignable) {
    std::vector<std::optional<long long>> positions(tailles.size());
    if (mode == Mode_placement::ordre)
        placer_dans_l_ordre(tailles, segments, atteignable, positions);
    else
        placer_au_plus_juste(tailles, segments, atteignable, positions);
    return positions;
}

}  // namespace Jeu
