#include "lib/vorlan_tool_divers.h"

#include <algorithm>
#include <climits>

#include "lib/vorlan_lib.h"

namespace Vorlan_tool {

std::string prendre_jusqu_a(char const* buffer, char delimiter, int length, int& position)
{
    std::string champ;
    while (buffer != nullptr && position >= 0 && position < length && champ.size() < 256
           && buffer[position] != delimiter) {
        champ.push_back(buffer[position]);
        ++position;
    }
    // One more step whatever stopped the copy: past the delimiter, past the byte after a
    // full field, or one past the end of the buffer.
    ++position;
    return champ;
}

void convertir(std::string& text)
{
    std::size_t ecrit = 0;
    for (std::size_t lu = 0; lu < text.size(); ++ecrit) {
        if (text[lu] == '\\' && lu + 1 < text.size() && text[lu + 1] == 'n') {
            text[ecrit] = '\n';
            lu += 2;
        } else {
            text[ecrit] = text[lu++];
        }
    }
    text.resize(ecrit);
}

std::string afficher_chaine(std::string_view text)
{
    std::string montre;
    montre.reserve(text.size());
    for (char c : text) {
        if (c == '\0')
            break;
        if (c == '\n')
            montre += "\\n";
        else
            montre += c;
    }
    return montre;
}

bool scan_pointeur(char const* line, int& numero)
{
    if (line == nullptr || line[0] != '<' || line[1] != 'P' || line[2] != 'T')
        return false;

    // Any number of digits: extraction numbers pointers past 99,999 with more than five.
    char const* p = line + 3;
    while (*p >= '0' && *p <= '9')
        ++p;
    if (p == line + 3)
        return false;
    std::string const chiffres(line + 3, p);
    numero = static_cast<int>(Chaine::char_to_int(chiffres.c_str()));

    return p[0] == '>' && p[1] == '\n' && p[2] == '\0';
}

std::size_t longueur_balise(char const* debut, std::size_t disponible)
{
    if (disponible < 6 || debut[0] != '<' || debut[1] != 'P' || debut[2] != 'T')
        return 0;
    std::size_t fin = 3;
    while (fin < disponible && debut[fin] >= '0' && debut[fin] <= '9')
        ++fin;
    if (fin == 3 || fin + 1 >= disponible || debut[fin] != '>' || debut[fin + 1] != '\n')
        return 0;
    return fin + 2;
}

std::size_t longueur_balise(char const* debut, std::size_t disponible, int& numero)
{
    std::size_t const longueur = longueur_balise(debut, disponible);
    long long valeur = 0;
    for (std::size_t k = 3; k + 2 < longueur; ++k)
        valeur = std::min<long long>(valeur * 10 + (debut[k] - '0'), INT_MAX);
    numero = static_cast<int>(valeur);
    return longueur;
}

}  // namespace Vorlan_tool
