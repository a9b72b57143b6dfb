#pragma once

// The main program's failures of its lower layers. Each error carries one complete,
// ready-to-print French message; the catcher prints it and abandons its operation.
// Caught by concrete type, never through the base.
class error {
public:
    explicit error(char const* message);
    error();
    error(error const& other);
    error& operator=(error const&) = delete;
    ~error();

    // The message, owned by the error; null for an error built without one.
    char const* read_error() const;

private:
    char* message_;
};

// Errors reported by the script interpreter; the message is the interpreter's own text.
class lua_error_ : public error {
public:
    explicit lua_error_(char const* message) : error(message) {}
    lua_error_(lua_error_ const& other) = default;
};

// A formula whose evaluation cannot go on (negative result, division by zero).
class math_error : public error {
public:
    explicit math_error(char const* message) : error(message) {}
    math_error(math_error const& other) = default;
};

// A file that cannot be opened.
class fopen_error : public error {
public:
    explicit fopen_error(char const* message) : error(message) {}
    fopen_error(fopen_error const& other) = default;
};

// A seek outside the file, or with a bad origin.
class fseek_error : public error {
public:
    explicit fseek_error(char const* message) : error(message) {}
    fseek_error(fseek_error const& other) = default;
};

// A text that is not a valid number.
class erreur_nombre : public error {
public:
    explicit erreur_nombre(char const* message) : error(message) {}
    erreur_nombre(erreur_nombre const& other) = default;
};
