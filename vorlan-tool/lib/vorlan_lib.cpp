#include "lib/vorlan_lib.h"

#include "lib/erreur.h"

namespace {

// Value of one digit in the base, or -1 when the character is no digit of it.
int chiffre(unsigned char c, unsigned int base)
{
    int valeur;
    if (c >= '0' && c <= '9')
        valeur = c - '0';
    else if (c >= 'a' && c <= 'f')
        valeur = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        valeur = c - 'A' + 10;
    else
        return -1;
    return static_cast<unsigned int>(valeur) < base ? valeur : -1;
}

[[noreturn]] void erreur(char const* text, Message message)
{
    throw erreur_nombre(Rapport(message, {text}));
}

}  // namespace

namespace Chaine {

unsigned int char_to_number(char const* text, int* ok, int mode)
{
    int ignore;
    if (ok == nullptr)
        ok = &ignore;
    *ok = 0;
    if (text == nullptr)
        return 0;

    unsigned int base;
    switch (mode) {
    case 0:
        base = 10;
        break;
    case 1:
        base = 16;
        break;
    case 2:
        base = 8;
        break;
    case -1:
        if (text[0] == '0' && text[1] == 'x') {
            text += 2;
            base = 16;
        } else if (text[0] == '0' && text[1] == '\0') {
            *ok = 1;
            return 0;
        } else if (text[0] == '0') {
            text += 1;
            base = 8;
        } else {
            base = 10;
        }
        break;
    default:
        return 0;
    }

    unsigned int valeur = 0;
    for (; *text != '\0'; ++text) {
        int c = chiffre(static_cast<unsigned char>(*text), base);
        if (c < 0)
            return 0;
        valeur = valeur * base + static_cast<unsigned int>(c);
    }
    *ok = 1;
    return valeur;
}

unsigned int char_to_int(char const* text)
{
    if (text == nullptr)
        return 0;
    int ok;
    char const* chiffres = nullptr;
    if (text[0] == '$')
        chiffres = text + 1;
    else if (text[0] == '0' && text[1] == 'x')
        chiffres = text + 2;
    if (chiffres != nullptr) {
        if (!est_hexa(reinterpret_cast<unsigned char const*>(chiffres)))
            erreur(text, Message::valeur_hexadecimale_incorrecte);
        return char_to_number(chiffres, &ok, 1);
    }
    if (!est_dec(reinterpret_cast<unsigned char const*>(text)))
        erreur(text, Message::valeur_incorrecte);
    return char_to_number(text, &ok, 0);
}

bool est_hexa(unsigned char const* text)
{
    for (; *text != '\0'; ++text) {
        if (chiffre(*text, 16) < 0)
            return false;
    }
    return true;
}

bool est_dec(unsigned char const* text)
{
    for (; *text != '\0'; ++text) {
        if (chiffre(*text, 10) < 0)
            return false;
    }
    return true;
}

}  // namespace Chaine

namespace Octets {

int lire_bit(unsigned char byte, unsigned char rank)
{
    if (rank > 7)
        return 0;
    return (byte >> (7 - rank)) & 1;
}

unsigned int tronquer(unsigned int value, unsigned int count)
{
    switch (count) {
    case 1:
        return value & 0xFFu;
    case 2:
        return value & 0xFFFFu;
    case 3:
        return value & 0xFFFFFFu;
    default:
        return value;
    }
}

}  // namespace Octets
