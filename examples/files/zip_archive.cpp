// Files and ZIP: a level read from a ZIP archive. The map is a text in the archive, the
// tiles a picture in it; the archive's contents are listed below the map. Tap the
// crystals to collect them and the door opens. The Start key (Enter in the window) ends
// the program.
//
// A game's data often travels as one archive. "zip:caves.zip" names the archive's root
// folder (the archive lies beside the program); its members are found from there with
// resolveFile, by their names in the archive, and are read like any other file. This
// archive keeps its members at its top; in one whose members lie in folders, the root is
// the folder of the least deep of them (data for data/a.png), not the archive's top.

#include <Parvolin/Parvolin.h>

#include <cwchar>

namespace {

constexpr long quitCode = 1;  // no jump is registered for it, so it ends the game
constexpr long columns = 15, rows = 11, tile = 16, mapTop = 24;

class CavesHandler : public EventHandler {
public:
    ~CavesHandler() { tiles.free(); }

    // Reads everything at the start. A FileSystemManager turns path texts into Files; the
    // Files it binds must not outlive it, so it lives as long as they are used.
    long load()
    {
        FileSystemManager files;
        File archive;
        if (long result = files.resolveFile(&archive, L"zip:caves.zip"))
            return result;

        // The map: one text line a row; lines that start with ';' are comments. readLine
        // stores one character a byte and leaves the line feed out.
        File mapFile;
        if (long result = archive.resolveFile(&mapFile, L"map.txt"))
            return result;
        if (long result = mapFile.open(FileMode::Read))
            return result;
        long row = 0;
        wchar_t line[64];
        while (!mapFile.eof() && row < rows) {
            const long length = mapFile.readLine(line, 63);
            if (length < 0)
                return ResultCode::FileOpenError;
            if (length >= columns && line[0] != L';')
                std::wmemcpy(map[row++], line, columns);
        }
        mapFile.close();
        if (row < rows)
            return ResultCode::FileEmpty;

        // A picture is loaded from a File as from a path.
        File tileFile;
        if (long result = archive.resolveFile(&tileFile, L"tiles.png"))
            return result;
        if (long result = tiles.create(&tileFile))
            return result;

        // read() takes bytes; this note is plain ASCII, one character a byte.
        File readme;
        char bytes[48] = {};
        if (archive.resolveFile(&readme, L"readme.txt") == ResultCode::Ok &&
            readme.open(FileMode::Read) == ResultCode::Ok)
            for (long i = 0, count = readme.read(bytes, 47); i < count && bytes[i] != '\n'; ++i)
                note[i] = static_cast<unsigned char>(bytes[i]);

        // A folder lists what is directly inside it once it is open.
        if (long result = archive.open())
            return result;
        File entry;
        while (listed < 4 && archive.getNextChild(&entry) == ResultCode::Ok)
            std::swprintf(listing[listed++], 48, L"%ls  %lu bytes", entry.getName(), entry.getSize());
        return 0;
    }

    long onNextFrame(Surface* surface, Panel*) override
    {
        surface->fillRect(RGB(16, 14, 24), nullptr, 255);
        Font* font = Font::getSystemFontWithBorder();
        long crystals = 0;
        for (long y = 0; y < rows; ++y)
            for (long x = 0; x < columns; ++x) {
                // The tile's place in the picture: rock, floor, crystal, door.
                const wchar_t* kinds = L"#.*D";
                const wchar_t* found = std::wcschr(kinds, map[y][x]);
                const long kind = found ? static_cast<long>(found - kinds) : 1;
                crystals += kind == 2;
                // The tiles lie side by side in the picture: the source rectangle picks one.
                Utility::Rect source(kind * tile, 0, (kind + 1) * tile, tile);
                surface->bltFast(x * tile, mapTop + y * tile, &tiles, &source, nullptr);
            }
        surface->drawText(surface->getWidth() / 2, 8, font, TextAlign::Center,
                          crystals ? L"Tap the crystals" : L"The door is open!");
        if (!crystals) {
            Utility::Rect door(14 * tile, mapTop + 9 * tile, 15 * tile, mapTop + 10 * tile);
            surface->fillRect(RGB(255, 230, 120), &door, 160);
        }
        surface->drawFormattedText(8, 212, font, TextAlign::Left, L"Crystals left: %ld", crystals);
        surface->drawText(8, 234, Font::getSystemFont(), TextAlign::Left, L"In caves.zip:");
        for (long i = 0; i < listed; ++i)
            surface->drawText(16, 248 + i * 12, Font::getSystemFont(), TextAlign::Left, listing[i]);
        surface->drawText(8, 300, Font::getSystemFont(), TextAlign::Left, note);
        return 0;
    }

    long onStylusDown(tagPOINT point) override
    {
        const long x = point.x / tile, y = (point.y - mapTop) / tile;
        if (point.y >= mapTop && x < columns && y < rows && map[y][x] == L'*')
            map[y][x] = L'.';
        return 0;
    }

    long onKeyDown(unsigned long key, KeyList& keys) override { return key == keys.vkStart ? quitCode : 0; }

private:
    Surface tiles;
    wchar_t map[rows][columns] = {};
    wchar_t listing[4][48] = {};
    wchar_t note[48] = {};
    long listed = 0;
};

class CavesGame : public StateMachine {
public:
    long configure(Config* config) override
    {
        config->appName = L"Files and ZIP";
        return 0;
    }

    long onInit(Surface*, Panel*, Application*) override
    {
        if (long result = caves.load()) {
            // Say why, then end: a negative answer of the game's onInit ends the program.
            MessageBoxW(nullptr, L"caves.zip", getErrorTextForCode(result), MB_OK | MB_ICONERROR);
            return -1;
        }
        level.addEventHandler(&caves, nullptr, false, false);
        addState(&level);
        setInitialState(&level);
        return 0;
    }

private:
    State level;
    CavesHandler caves;
};

} // namespace

int WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    CavesGame* game = new CavesGame();
    game->setAppInstance(instance);
    long result = game->run();
    delete game;
    return static_cast<int>(result);
}
