#pragma once
#include <string>
#include <utility>
#include <vector>

#include "lib/catalogue.h"

// One argument of a report: a number for the integer conversions (%d, %i, %X, %c...), a text
// for %s. A text is used as a C text, so it ends at its first NUL byte, as printf would.
class Argument {
public:
    Argument(int valeur) : entier_(valeur) {}              // NOLINT: reports list plain values
    Argument(long long valeur) : entier_(valeur) {}        // NOLINT
    Argument(std::string texte) : texte_(std::move(texte)), est_texte_(true) {}  // NOLINT
    Argument(char const* texte) : texte_(texte), est_texte_(true) {}             // NOLINT

    bool est_texte() const { return est_texte_; }
    long long entier() const { return entier_; }
    std::string const& texte() const { return texte_; }

private:
    long long entier_ = 0;
    std::string texte_;
    bool est_texte_ = false;
};

// What an operation has to say: a message of the catalogue and its arguments, in the order of
// the message's conversions. Operations return their reports; only the command layer prints.
struct Rapport {
    Message message;
    std::vector<Argument> arguments;

    Rapport(Message m, std::vector<Argument> a = {}) : message(m), arguments(std::move(a)) {}  // NOLINT
};

using Rapports = std::vector<Rapport>;

// How the message's own text is written: as the program's Latin-1 bytes, or converted to UTF-8
// for a terminal that shows UTF-8. What the arguments quote is never converted: file names,
// table texts and script characters pass as they are.
enum class Codage { latin1, utf8 };

// The report's text: the message's format with its arguments, byte for byte what printf would
// print (a %c of 0 gives a NUL byte). A conversion without its argument, or of the wrong kind,
// is a fault of the program: std::logic_error.
std::string formater(Rapport const& rapport, Codage codage = Codage::latin1);

// The reports' texts one after another.
std::string formater(Rapports const& rapports);
