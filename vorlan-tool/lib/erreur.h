#pragma once
#include "lib/rapport.h"

// The main program's failures of its lower layers. Each error carries one complete,
// ready-to-print French message; the catcher prints it and abandons its operation.
// Caught by concrete type, never through the base.
class error {
public:
    explicit error(char const* message);
    // The message is the report's text from the catalogue.
    explicit error(Rapport const& rapport);
    error();
    error(error const& other);
    error& operator=(error const&) = delete;
    ~error();

    // The message, owned by the error; null for an error built without one.
    char const* read_error() const;
    // The report the message was made from; a raw text is the report texte_brut of that text.
    Rapport const& rapport() const { return rapport_; }

private:
    char* message_;
    Rapport rapport_;
};

// Errors reported by the script interpreter; the message is the interpreter's own text.
class lua_error_ : public error {
public:
    explicit lua_error_(char const* message) : error(message) {}
    explicit lua_error_(Rapport const& rapport) : error(rapport) {}
    lua_error_(lua_error_ const& other) = default;
};

// A formula whose evaluation cannot go on (negative result, division by zero).
class math_error : public error {
public:
    explicit math_error(char const* message) : error(message) {}
    explicit math_error(Rapport const& rapport) : error(rapport) {}
    math_error(math_error const& other) = default;
};

// A file that cannot be opened.
class fopen_error : public error {
public:
    explicit fopen_error(char const* message) : error(message) {}
    explicit fopen_error(Rapport const& rapport) : error(rapport) {}
    fopen_error(fopen_error const& other) = default;
};

// A seek outside the file, or with a bad origin.
class fseek_error : public error {
public:
    explicit fseek_error(char const* message) : error(message) {}
    explicit fseek_error(Rapport const& rapport) : error(rapport) {}
    fseek_error(fseek_error const& other) = default;
};

// A text that is not a valid number.
class erreur_nombre : public error {
public:
    explicit erreur_nombre(char const* message) : error(message) {}
    explicit erreur_nombre(Rapport const& rapport) : error(rapport) {}
    erreur_nombre(erreur_nombre const& other) = default;
};
