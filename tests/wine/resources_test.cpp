// The resources both builds carry, read from the program files as data, so
// the 32-bit release program is checked too although it cannot run here.
#include "harness.h"
#include "tests.h"
#include "version.h"  // the project's version, as CMake configured it

namespace {

const BYTE* Resource(HMODULE module, LPCSTR name, LPCSTR type, DWORD* size)
{
    HRSRC found = FindResourceA(module, name, type);
    *size = found ? SizeofResource(module, found) : 0;
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    return loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

void CheckResources(const char* arch)
{
    std::string path = ProgramPath(arch);
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    CHECK(module != nullptr, "cannot open " + path);
    if (!module)
        return;
    std::string where = std::string(arch) + ": ";
    DWORD size = 0;

    // MAINICON: 16 and 32 pixels, 32 bits a pixel, with real alpha.
    const BYTE* group = Resource(module, "MAINICON", MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, &size);
    CHECK(group && size >= 6, where + "no MAINICON");
    if (group && size >= 6) {
        WORD count = *reinterpret_cast<const WORD*>(group + 4);
        CHECK_EQ(int(count), 2, where + "MAINICON images");
        std::vector<int> sizes;
        for (WORD i = 0; i < count && 6 + (i + 1) * sizeof(GroupIconEntry) <= size; ++i) {
            const GroupIconEntry* e = reinterpret_cast<const GroupIconEntry*>(group + 6 + i * sizeof(GroupIconEntry));
            sizes.push_back(e->width);
            DWORD imageSize = 0;
            const BYTE* image = Resource(module, MAKEINTRESOURCEA(e->id), MAKEINTRESOURCEA(3) /* RT_ICON */, &imageSize);
            const BITMAPINFOHEADER* h = reinterpret_cast<const BITMAPINFOHEADER*>(image);
            CHECK(image && h->biBitCount == 32 && h->biWidth == e->width, where + "icon image " + std::to_string(e->width));
            if (!image || h->biBitCount != 32)
                continue;
            bool clear = false, opaque = false;
            const BYTE* pixels = image + h->biSize;
            for (int p = 0; p < e->width * e->width; ++p) {
                clear = clear || pixels[4 * p + 3] == 0;
                opaque = opaque || pixels[4 * p + 3] == 255;
            }
            CHECK(clear && opaque, where + "icon " + std::to_string(e->width) + " has no real alpha");
        }
        CHECK(sizes == std::vector<int>({16, 32}), where + "icon sizes");
    }

    // The window's picture: 32 x 32, 24 bits, uncompressed, bottom-up, no colour table,
    // its bottom-left pixel the background ECE9D8 (3,112 bytes: the file less its 14-byte header).
    const BYTE* picture = Resource(module, "QUESTION", MAKEINTRESOURCEA(2) /* RT_BITMAP */, &size);
    CHECK(picture != nullptr, where + "no QUESTION picture");
    if (picture) {
        const BITMAPINFOHEADER* h = reinterpret_cast<const BITMAPINFOHEADER*>(picture);
        CHECK_EQ(size, DWORD(3126 - 14), where + "picture size");
        CHECK(h->biWidth == 32 && h->biHeight == 32 && h->biBitCount == 24 && h->biCompression == BI_RGB &&
                  h->biClrUsed == 0,
              where + "picture format");
        const BYTE* first = picture + h->biSize;  // bottom-up: the first pixel is the bottom-left one
        CHECK(first[0] == 0xD8 && first[1] == 0xE9 && first[2] == 0xEC, where + "bottom-left pixel is not ECE9D8");
    }

    // The manifest: visual styles through Common Controls 6, system-aware DPI, no elevation.
    const BYTE* manifest = Resource(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24) /* RT_MANIFEST */, &size);
    CHECK(manifest != nullptr, where + "no manifest");
    std::string xml = manifest ? std::string(reinterpret_cast<const char*>(manifest), size) : "";
    for (const char* wanted : {"manifestVersion=\"1.0\"", "xmlns=\"urn:schemas-microsoft-com:asm.v1\"",
                               "name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\"",
                               "publicKeyToken=\"6595b64144ccf1df\"", "processorArchitecture=\"*\"",
                               ">true</dpiAware>", "level=\"asInvoker\""})
        CHECK(xml.find(wanted) != std::string::npos, where + "manifest lacks " + wanted);
    std::string identity = "name=\"Dialprompt.Prompt\" version=\"" DIALPROMPT_VERSION_TEXT ".0\"";
    CHECK(xml.find(identity) != std::string::npos, where + "manifest lacks " + identity);

    Resource(module, "TFRMMAIN", MAKEINTRESOURCEA(10) /* RT_RCDATA */, &size);
    CHECK(size > 0, where + "no form definition");
    FreeLibrary(module);

    // The version, as the file's properties show it.
    DWORD ignored = 0;
    std::vector<BYTE> info(GetFileVersionInfoSizeA(path.c_str(), &ignored));
    CHECK(!info.empty() && GetFileVersionInfoA(path.c_str(), 0, DWORD(info.size()), info.data()),
          where + "no version information");
    if (info.empty())
        return;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    const DWORD numbers[] = {DIALPROMPT_VERSION_NUMBERS};
    CHECK(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed &&
              fixed->dwFileVersionMS == (numbers[0] << 16 | numbers[1]) &&
              fixed->dwFileVersionLS == (numbers[2] << 16 | numbers[3]) && fixed->dwFileType == VFT_APP,
          where + "file version " DIALPROMPT_VERSION_TEXT ".0 of an application");
    struct Text {
        const char* name;
        const char* value;  // null: any text that is not empty
    } texts[] = {{"FileDescription", "Internet connection prompt"}, {"ProductName", "dialprompt"},
                 {"FileVersion", DIALPROMPT_VERSION_TEXT}, {"ProductVersion", DIALPROMPT_VERSION_TEXT},
                 {"OriginalFilename", "dialprompt.exe"}, {"LegalCopyright", nullptr}};
    for (const Text& t : texts) {
        char* value = nullptr;
        std::string key = std::string("\\StringFileInfo\\040904B0\\") + t.name;
        bool found = VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) && value;
        std::string text = found ? value : "";
        CHECK(found && !text.empty(), where + "no " + t.name);
        if (t.value)
            CHECK_EQ(text, std::string(t.value), where + t.name);
    }
}

}  // namespace

void ResourceTests()
{
    RunCase("the release program's resources", [] { CheckResources("i686"); });
    // Under 32-bit Wine the driver belongs to the release program's own build.
    if (ProgramPath() != ProgramPath("i686"))
        RunCase("the tested program's resources", [] { CheckResources("x86_64"); });
}
