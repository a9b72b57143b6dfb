#pragma once
#include <cstdio>
#include <string>

// One open C stdio stream with the file's name and its size measured at open time.
// Every range check (seek, eof) uses that stored size.
class Fichier {
public:
    Fichier();
    // Throws fopen_error as open does.
    Fichier(char const* name, char const* mode);
    Fichier(Fichier const&) = delete;
    Fichier& operator=(Fichier const&) = delete;
    ~Fichier();

    // Throws fopen_error ("fopen_error : Impossible d'ouvrir le fichier \"NAME\"\n"); the object stays closed.
    void open(char const* name, char const* mode);
    // The same without throwing: false, the object closed, when the file cannot be opened.
    bool essayer_ouvrir(char const* name, char const* mode);
    void close();
    bool is_open() const { return stream_ != nullptr; }

    char const* name() const;
    // Origins 0 (start), 1 (current), 2 (end). Throws fseek_error for a target outside
    // 0..size or an unknown origin; the position is then unchanged.
    int seek(int offset, int origin);
    long tell() const;
    int size() const { return size_; }
    bool eof() const;
    int get();
    int put(int c);
    int read(void* buffer, int item_size, int count);
    int write(void const* buffer, int item_size, int count);
    int print(char const* format, ...) __attribute__((format(printf, 2, 3)));

    std::FILE* stream() const { return stream_; }

private:
    std::FILE* stream_;
    char* name_;
    int size_;
};

Fichier& operator<<(Fichier& f, char c);
Fichier& operator<<(Fichier& f, char const* text);
Fichier& operator>>(Fichier& f, char& c);

namespace Fichiers {

// Line-ending conventions, as analyser_format reports them.
enum Format { SANS_FIN_DE_LIGNE = 0, CR_LF = 1, LF = 2, CR = 3 };

// The whole file, with CR LF and lone CR line ends turned into LF (a file in LF keeps
// its stray CRs). The string's size is the number of bytes kept; c_str() is NUL-terminated.
std::string charger(Fichier& f);
// The same conversion of line ends for a text already in memory: the convention is that of its
// first line end.
std::string normaliser(std::string brut);
// The file's line-ending convention; the position is left where it was.
int analyser_format(Fichier& f);
// The whole text file of that name, as charger gives it; false when it cannot be opened
// (each caller has its own words for that).
bool charger(char const* nom, std::string& texte);
// 1 + the number of LF bytes of the file; the position is left where it was.
int nombre_lignes(Fichier& f);
// Bytes up to end of file, the delimiter (consumed, not kept) or 256 bytes.
std::string prendre_jusqu_a(Fichier& f, char delimiter);

}  // namespace Fichiers

namespace Tableaux {

// Sets the first `count` bytes to the low byte of `value` (nothing for count <= 0).
void initialiser(char* array, int count, int value);

}  // namespace Tableaux
