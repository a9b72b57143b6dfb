#include "lib/fichiers.h"

#include <sys/stat.h>

#include <climits>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "lib/erreur.h"

namespace {

[[noreturn]] void erreur_ouverture(char const* name)
{
    throw fopen_error(Rapport(Message::fopen_impossible, {name}));
}

}  // namespace

namespace Fichiers {

namespace {

// The line-ending convention of a text in memory, as analyser_format finds it in a file.
int format_du_texte(std::string const& texte)
{
    std::size_t const fin = texte.find_first_of("\r\n");
    if (fin == std::string::npos)
        return SANS_FIN_DE_LIGNE;
    if (texte[fin] == '\n')
        return LF;
    if (fin + 1 == texte.size())
        return LF;
    return texte[fin + 1] == '\n' ? CR_LF : CR;
}

}  // namespace

}  // namespace Fichiers

Fichier::Fichier() : stream_(nullptr), name_(nullptr), size_(0) {}

Fichier::Fichier(char const* name, char const* mode) : Fichier()
{
    open(name, mode);
}

Fichier::~Fichier()
{
    close();
}

void Fichier::open(char const* name, char const* mode)
{
    // Kept apart: the name may be this object's own, which the attempt releases.
    std::string const nom = name == nullptr ? "" : name;
    if (!essayer_ouvrir(name, mode))
        erreur_ouverture(nom.c_str());
}

bool Fichier::essayer_ouvrir(char const* name, char const* mode)
{
    // The name is copied before closing, since it may be this object's own name.
    std::unique_ptr<char, decltype(&std::free)> copie(name == nullptr ? nullptr : strdup(name), &std::free);
    if (name != nullptr && copie == nullptr)
        throw std::bad_alloc();
    close();
    if (copie == nullptr || mode == nullptr)
        return false;
    // A path that exists but is no regular file is refused before fopen, which would wait on
    // a FIFO until another program opens its other end.
    struct stat avant;
    if (stat(copie.get(), &avant) == 0 && !S_ISREG(avant.st_mode))
        return false;
    std::FILE* stream = std::fopen(copie.get(), mode);
    if (stream == nullptr)
        return false;
    // Only a regular file whose size fits the signed 32-bit offsets every caller works with
    // can be used: a folder, a pipe or a huge file cannot be read, measured or addressed.
    struct stat etat;
    long fin = -1;
    if (fstat(fileno(stream), &etat) == 0 && S_ISREG(etat.st_mode) && std::fseek(stream, 0, SEEK_END) == 0)
        fin = std::ftell(stream);
    if (fin < 0 || fin > INT_MAX || std::fseek(stream, 0, SEEK_SET) != 0) {
        std::fclose(stream);
        return false;
    }
    stream_ = stream;
    name_ = copie.release();
    size_ = static_cast<int>(fin);
    return true;
}

void Fichier::close()
{
    if (stream_ == nullptr)
        return;
    std::fclose(stream_);
    stream_ = nullptr;
    std::free(name_);
    name_ = nullptr;
    size_ = 0;
}

char const* Fichier::name() const
{
    return name_ == nullptr ? "" : name_;
}

int Fichier::seek(int offset, int origin)
{
    long long courante = tell();
    long long cible;
    switch (origin) {
    case SEEK_SET:
        cible = offset;
        break;
    case SEEK_END:
        cible = static_cast<long long>(size_) + offset;
        break;
    default:
        cible = courante + offset;
        break;
    }
    if (stream_ == nullptr || courante < 0 || cible < 0 || cible > size_)
        throw fseek_error(Rapport(Message::fseek_position, {name()}));
    if (origin != SEEK_SET && origin != SEEK_CUR && origin != SEEK_END)
        throw fseek_error(Rapport(Message::fseek_origine));
    return std::fseek(stream_, offset, origin);
}

long Fichier::tell() const
{
    return stream_ == nullptr ? -1 : std::ftell(stream_);
}

bool Fichier::eof() const
{
    return stream_ == nullptr || tell() >= size_;
}

int Fichier::get()
{
    return stream_ == nullptr ? EOF : std::fgetc(stream_);
}

int Fichier::put(int c)
{
    return stream_ == nullptr ? EOF : std::fputc(c, stream_);
}

int Fichier::read(void* buffer, int item_size, int count)
{
    if (stream_ == nullptr || item_size <= 0 || count <= 0)
        return 0;
    return static_cast<int>(std::fread(buffer, static_cast<std::size_t>(item_size),
                                       static_cast<std::size_t>(count), stream_));
}

int Fichier::write(void const* buffer, int item_size, int count)
{
    if (stream_ == nullptr || item_size <= 0 || count <= 0)
        return 0;
    return static_cast<int>(std::fwrite(buffer, static_cast<std::size_t>(item_size),
                                        static_cast<std::size_t>(count), stream_));
}

int Fichier::print(char const* format, ...)
{
    if (stream_ == nullptr)
        return -1;
    va_list arguments;
    va_start(arguments, format);
    int resultat = std::vfprintf(stream_, format, arguments);
    va_end(arguments);
    return resultat;
}

Fichier& operator<<(Fichier& f, char c)
{
    f.put(static_cast<unsigned char>(c));
    return f;
}

Fichier& operator<<(Fichier& f, char const* text)
{
    for (; *text != '\0'; ++text)
        f.put(static_cast<unsigned char>(*text));
    return f;
}

Fichier& operator>>(Fichier& f, char& c)
{
    c = static_cast<char>(f.get());
    return f;
}

namespace Fichiers {

std::string charger(Fichier& f)
{
    std::string brut;
    std::FILE* stream = f.stream();
    if (stream == nullptr || std::fseek(stream, 0, SEEK_SET) != 0)
        return brut;
    // Read in large pieces, then converted in memory: a script of megabytes read byte by byte
    // through the stream took longer than encoding it.
    if (f.size() > 0)
        brut.reserve(static_cast<std::size_t>(f.size()));
    char morceau[1 << 16];
    std::size_t lus;
    while ((lus = std::fread(morceau, 1, sizeof morceau, stream)) > 0)
        brut.append(morceau, lus);
    return normaliser(std::move(brut));
}

std::string normaliser(std::string brut)
{
    int const format = format_du_texte(brut);
    if (format == CR) {
        for (char& c : brut)
            if (c == '\r')
                c = '\n';
        return brut;
    }
    if (format != CR_LF)
        return brut;
    std::string texte;
    texte.reserve(brut.size());
    for (std::size_t i = 0; i < brut.size(); ++i) {
        char c = brut[i];
        if (c == '\r') {
            // The byte after a CR takes its place untested: CR LF becomes LF, CR CR LF
            // becomes CR LF, and a CR ending the file is dropped.
            if (++i == brut.size())
                break;
            c = brut[i];
        }
        texte.push_back(c);
    }
    return texte;
}

bool charger(char const* nom, std::string& texte)
{
    Fichier f;
    if (!f.essayer_ouvrir(nom, "rb"))
        return false;
    texte = charger(f);
    return true;
}

int analyser_format(Fichier& f)
{
    std::FILE* stream = f.stream();
    if (stream == nullptr)
        return SANS_FIN_DE_LIGNE;
    long position = std::ftell(stream);
    std::fseek(stream, 0, SEEK_SET);

    int format = SANS_FIN_DE_LIGNE;
    int c;
    while ((c = std::fgetc(stream)) != EOF) {
        if (c == '\n') {
            format = LF;
            break;
        }
        if (c == '\r') {
            int suivant = std::fgetc(stream);
            format = suivant == '\n' ? CR_LF : suivant == EOF ? LF : CR;
            break;
        }
    }
    std::fseek(stream, position, SEEK_SET);
    return format;
}

int nombre_lignes(Fichier& f)
{
    std::FILE* stream = f.stream();
    if (stream == nullptr)
        return 1;
    long position = std::ftell(stream);
    std::fseek(stream, 0, SEEK_SET);

    int lignes = 1;
    int c;
    for (int lus = 0; lus < f.size() && (c = std::fgetc(stream)) != EOF; ++lus) {
        if (c == '\n')
            ++lignes;
    }
    std::fseek(stream, position, SEEK_SET);
    return lignes;
}

std::string prendre_jusqu_a(Fichier& f, char delimiter)
{
    std::string champ;
    while (champ.size() < 256) {
        int c = f.get();
        if (c == EOF || c == static_cast<unsigned char>(delimiter))
            break;
        champ.push_back(static_cast<char>(c));
    }
    return champ;
}

}  // namespace Fichiers

namespace Tableaux {

void initialiser(char* array, int count, int value)
{
    if (count > 0)
        std::memset(array, static_cast<unsigned char>(value), static_cast<std::size_t>(count));
}

}  // namespace Tableaux
