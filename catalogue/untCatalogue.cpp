#include "catalogue/untCatalogue.h"

#include <atomic>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>

// The English catalogue as msgfmt made it, embedded by the build.
extern const unsigned char kEnglishCatalogue[];
extern const std::size_t kEnglishCatalogueSize;

namespace {

std::atomic<TTextLanguage> chosen = TTextLanguage::Japanese;

// A compiled gettext catalogue (.mo): a header, then two tables of (length, offset) pairs, the
// originals' and the translations'. Each string is followed by a NUL.
class TMoFile {
public:
    TMoFile(const unsigned char* bytes, std::size_t size) : bytes_(bytes), size_(size) {
        constexpr uint32_t kMagic = 0x950412de;
        if (size_ < 20 || Word(0) != kMagic) return;
        const uint32_t count = Word(8), originals = Word(12), translations = Word(16);
        for (uint32_t i = 0; i < count; ++i) {
            const std::string_view original = String(originals + 8 * i);
            const std::string_view translation = String(translations + 8 * i);
            if (!original.empty() && !translation.empty()) texts_.emplace(original, translation);
        }
    }

    const char* Find(std::string_view text) const {
        const auto found = texts_.find(text);
        return found == texts_.end() ? nullptr : found->second.data();
    }

private:
    uint32_t Word(std::size_t at) const {
        if (at + 4 > size_) return 0;
        uint32_t word;
        std::memcpy(&word, bytes_ + at, 4);  // the catalogue is made on this machine's byte order
        return word;
    }
    // The NUL-ended string the entry at `at` describes; empty when it lies outside the file.
    std::string_view String(std::size_t at) const {
        const uint32_t length = Word(at), offset = Word(at + 4);
        if (uint64_t{offset} + length >= size_ || bytes_[offset + length] != 0) return {};
        return {reinterpret_cast<const char*>(bytes_ + offset), length};
    }

    const unsigned char* bytes_;
    std::size_t size_;
    std::unordered_map<std::string_view, std::string_view> texts_;
};

const TMoFile& English() {
    static const TMoFile catalogue(kEnglishCatalogue, kEnglishCatalogueSize);
    return catalogue;
}

}  // namespace

void SetTextLanguage(TTextLanguage language) {
    chosen = language;
}

TTextLanguage TextLanguage() {
    return chosen;
}

const char* Tr(const char* text) {
    return Tr(text, chosen);
}

const char* Tr(const char* text, TTextLanguage language) {
    if (language == TTextLanguage::Japanese) return text;
    const char* translated = English().Find(text);
    return translated ? translated : text;
}

const char* Tr(const char* context, const char* text, TTextLanguage language) {
    if (language == TTextLanguage::Japanese) return text;
    // A compiled catalogue keys a text of a context as the context, EOT, the text.
    const std::string key = std::string(context) + '\x04' + text;
    const char* translated = English().Find(key.c_str());
    return translated ? translated : text;
}
