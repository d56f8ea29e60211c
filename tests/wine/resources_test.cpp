// The resources both builds carry, read from the program files as data, so
// the 32-bit release program is checked too although it cannot run here.
#include <string.h>

#include "harness.h"
#include "tests.h"
#include "version.h"  // the project's version, as CMake configured it

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

void CheckBitmapImage(const BYTE* image, int side, const std::string& what)
{
    const BITMAPINFOHEADER* h = reinterpret_cast<const BITMAPINFOHEADER*>(image);
    CHECK(h->biBitCount == 32 && h->biWidth == side && h->biHeight == 2 * side, what + ": not a 32-bit bitmap");
    if (h->biBitCount != 32)
        return;
    bool clear = false, opaque = false;
    const BYTE* pixels = image + h->biSize;
    for (int p = 0; p < side * side; ++p) {
        clear = clear || pixels[4 * p + 3] == 0;
        opaque = opaque || pixels[4 * p + 3] == 255;
    }
    CHECK(clear && opaque, what + " has no real alpha");
}

DWORD BigEndian(const BYTE* p) { return DWORD(p[0]) << 24 | DWORD(p[1]) << 16 | DWORD(p[2]) << 8 | p[3]; }

void CheckPngImage(const BYTE* image, DWORD size, int side, const std::string& what)
{
    static const BYTE signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    CHECK(size > 33 && memcmp(image, signature, 8) == 0 && memcmp(image + 12, "IHDR", 4) == 0, what + ": not PNG");
    if (size <= 33 || memcmp(image, signature, 8) != 0)
        return;
    CHECK(BigEndian(image + 16) == DWORD(side) && BigEndian(image + 20) == DWORD(side), what + ": PNG of another size");
    CHECK(image[24] == 8 && image[25] == 6, what + ": not 8 bits a channel RGBA");
}

// Drawn as the system draws icons, on two backgrounds: the corner shows each
// background through, the middle is the same on both.
void CheckIconDraws(const BYTE* image, DWORD size, int side, const std::string& what)
{
    HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(image), size, TRUE, 0x00030000, side, side, 0);
    CHECK(icon != nullptr, what + ": the system cannot read it");
    if (!icon)
        return;
    COLORREF corner[2], middle[2];
    const COLORREF backgrounds[2] = {RGB(255, 0, 255), RGB(0, 128, 0)};
    for (int i = 0; i < 2; ++i) {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof info.bmiHeader, side, -side, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HDC memory = CreateCompatibleDC(nullptr);
        HBITMAP canvas = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, canvas);
        HBRUSH brush = CreateSolidBrush(backgrounds[i]);
        RECT all = {0, 0, side, side};
        FillRect(memory, &all, brush);
        DeleteObject(brush);
        DrawIconEx(memory, 0, 0, icon, side, side, 0, nullptr, DI_NORMAL);
        GdiFlush();
        corner[i] = GetPixel(memory, 0, 0);
        middle[i] = GetPixel(memory, side / 2, side / 2);
        SelectObject(memory, old);
        DeleteObject(canvas);
        DeleteDC(memory);
    }
    DestroyIcon(icon);
    CHECK(corner[0] == backgrounds[0] && corner[1] == backgrounds[1], what + ": its corner is not transparent");
    CHECK(middle[0] == middle[1], what + ": its middle is not opaque");
}

void CheckResources(const char* arch)
{
    std::string path = ProgramPath(arch);
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    CHECK(module != nullptr, "cannot open " + path);
    if (!module)
        return;
    std::string where = std::string(arch) + ": ";
    DWORD size = 0;

    // MAINICON: every size Windows asks for, 32 bits a pixel with real alpha;
    // those above 32 pixels as PNG.
    const BYTE* group = Resource(module, "MAINICON", MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, &size);
    CHECK(group && size >= 6, where + "no MAINICON");
    if (group && size >= 6) {
        WORD count = *reinterpret_cast<const WORD*>(group + 4);
        std::vector<int> sizes;
        for (WORD i = 0; i < count && 6 + (i + 1) * sizeof(GroupIconEntry) <= size; ++i) {
            const GroupIconEntry* e = reinterpret_cast<const GroupIconEntry*>(group + 6 + i * sizeof(GroupIconEntry));
            int side = e->width ? e->width : 256;  // the directory writes 256 as 0
            sizes.push_back(side);
            std::string image = where + "icon image " + std::to_string(side);
            CHECK_EQ(int(e->bitCount), 32, image + ": bits a pixel in the directory");
            DWORD imageSize = 0;
            const BYTE* bytes = Resource(module, MAKEINTRESOURCEA(e->id), MAKEINTRESOURCEA(3) /* RT_ICON */, &imageSize);
            CHECK(bytes && imageSize > 40, image + ": missing");
            if (!bytes || imageSize <= 40)
                continue;
            if (side > 32)
                CheckPngImage(bytes, imageSize, side, image);
            else
                CheckBitmapImage(bytes, side, image);
            CheckIconDraws(bytes, imageSize, side, image);
        }
        CHECK(sizes == std::vector<int>({16, 20, 24, 32, 40, 48, 64, 256}), where + "icon sizes");
    }

    // The window's picture, and the same drawn for 120, 144 and 192 pixels per
    // inch: square, 24 bits, uncompressed, bottom-up, no colour table, the
    // bottom-left pixel the background ECE9D8. The resource is the bitmap file
    // less its 14-byte header: 3,126 bytes as a file at 32 pixels.
    for (int side : {32, 40, 48, 64}) {
        std::string name = side == 32 ? "QUESTION" : "QUESTION_" + std::to_string(side);
        const BYTE* picture = Resource(module, name.c_str(), MAKEINTRESOURCEA(2) /* RT_BITMAP */, &size);
        CHECK(picture != nullptr, where + "no " + name + " picture");
        if (!picture)
            continue;
        const BITMAPINFOHEADER* h = reinterpret_cast<const BITMAPINFOHEADER*>(picture);
        DWORD rowBytes = (side * 3 + 3) & ~3;
        CHECK_EQ(size, DWORD(sizeof *h + rowBytes * side), where + name + " size");
        if (side == 32)
            CHECK_EQ(size, DWORD(3126 - 14), where + "picture size");
        CHECK(h->biWidth == side && h->biHeight == side && h->biBitCount == 24 && h->biCompression == BI_RGB &&
                  h->biClrUsed == 0,
              where + name + " format");
        const BYTE* first = picture + h->biSize;  // bottom-up: the first pixel is the bottom-left one
        CHECK(first[0] == 0xD8 && first[1] == 0xE9 && first[2] == 0xEC, where + name + ": bottom-left pixel is not ECE9D8");
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
