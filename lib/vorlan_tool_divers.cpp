#include "lib/vorlan_tool_divers.h"

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

    // Pointer numbers have at most 50 digits; a longer run leaves a digit where ">" must be.
    char chiffres[51];
    int nombre = 0;
    char const* p = line + 3;
    while (nombre < 50 && *p >= '0' && *p <= '9')
        chiffres[nombre++] = *p++;
    if (nombre == 0)
        return false;
    chiffres[nombre] = '\0';
    numero = static_cast<int>(Chaine::char_to_int(chiffres));

    return p[0] == '>' && p[1] == '\n' && p[2] == '\0';
}

}  // namespace Vorlan_tool
