// Parses arbitrary text as a skin description and asks it questions taken from the text.

#include "core/Stream.h"
#include "core/StringList.h"
#include "skin/data/WinSkinIni.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TMemoryStream stream;
    stream.WriteBuffer(data, static_cast<std::int64_t>(size));
    stream.SetPosition(0);
    TQuickIni ini;
    ini.LoadFromStream(&stream);

    TStringList sections;
    ini.ReadSections(&sections);
    for (int s = 0; s < sections.Count() && s < 8; ++s) {
        for (int l = 0; l < ini.Lines().Count() && l < 16; ++l) {
            const std::string& line = ini.Lines()[l];
            std::string key = line.substr(0, line.find('='));
            ini.ReadString(sections[s], key, "default");
            ini.ReadInteger(sections[s], key, -1);
        }
    }
    ini.SectionIndex(std::string(reinterpret_cast<const char*>(data), size < 12 ? size : 12));
    return 0;
}
