#include "CharacterPrefix.h"

std::size_t WholeCharacterPrefix(std::string_view text, std::size_t wanted)
{
    if (wanted >= text.size())
        return text.size();
    std::size_t cut = wanted;
    // Back over continuation bytes (10xxxxxx) to the start of the character
    // that the cut would split; a run of them longer than a character is
    // no UTF-8 and is cut where asked.
    while (cut > 0 && wanted - cut < 4 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80 ? wanted : cut;
}
