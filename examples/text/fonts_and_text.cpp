// Fonts and text: the two built-in fonts, a font of the game's own cut from a picture, the
// three alignments, formatted numbers, text measured to fit a button, and a font recoloured
// by a shader. A tap moves the line the aligned texts keep to; the Start key (Enter in the
// window) ends the program.

#include <Parvolin/Parvolin.h>

namespace {

constexpr long quitCode = 1;  // no jump is registered for it, so it ends the game

// The characters of title-font.png, in the order of its glyphs. Row 0 of the picture marks
// each glyph's columns with a run of white pixels; the rows below hold the glyphs.
const wchar_t goldCharacters[] = L" ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!?:.,-'";

class TextHandler : public EventHandler {
public:
    ~TextHandler() { strip.free(); }

    // The picture's alpha channel becomes the glyphs' alpha: soft edges over anything.
    long load()
    {
        if (long result = strip.create(L"title-font.png"))
            return result;
        if (long result = gold.createFont(goldCharacters, &strip))
            return result;
        // A second font from the same strip, drawn through a shader. The built-in fonts are
        // shared by the whole program, so a game gives its colours to fonts of its own.
        if (long result = green.createFont(goldCharacters, &strip))
            return result;
        return green.setShader(&greenTint);
    }

    long onNextFrame(Surface* surface, Panel*) override
    {
        surface->fillRect(RGB(24, 28, 44), nullptr, 255);
        const unsigned long middle = surface->getWidth() / 2;
        Font* plain = Font::getSystemFont();
        Font* bordered = Font::getSystemFontWithBorder();

        surface->drawText(middle, 8, &gold, TextAlign::Center, L"FONTS AND TEXT");
        surface->drawText(10, 36, plain, TextAlign::Left, L"The built-in font, 7 pixels high,");
        surface->drawText(10, 48, bordered, TextAlign::Left, L"and the one with a border.");

        // x is where the text ends (Right), its middle (Center) or where it starts (Left).
        surface->drawLine(guide, 70, guide, 112, RGB(240, 90, 90), 255);
        surface->drawText(guide - 3, 74, bordered, TextAlign::Right, L"Right ends here");
        surface->drawText(guide, 88, bordered, TextAlign::Center, L"Center");
        surface->drawText(guide + 4, 102, bordered, TextAlign::Left, L"Left starts here");

        // Numbers go in with the printf format of wide strings (%ls for a wide text).
        surface->drawFormattedText(middle, 128, &gold, TextAlign::Center, L"SCORE %05lu", score);
        score += 7;

        // getStringWidth measures a line before it is drawn: here, to size a button.
        const wchar_t* label = L"PLAY!";
        const long half = static_cast<long>(gold.getStringWidth(label)) / 2 + 10;
        Utility::Rect button(middle - half, 156, middle + half, 156 + gold.getHeight() + 10);
        surface->fillRect(RGB(60, 40, 110), &button, 255);
        surface->drawRect(RGB(200, 170, 255), &button, 255);
        surface->drawText(middle, 161, &gold, TextAlign::Center, label);

        surface->drawText(middle, 200, &green, TextAlign::Center, L"GOLD, TINTED");

        const wchar_t* notes[] = {L"Text is drawn one line at a time.",
                                  L"Characters a font lacks take no room;",
                                  L"glyphs that do not fit whole on the",
                                  L"surface are left out (a panel clips).",
                                  L"",
                                  L"Tap to move the red line."};
        for (unsigned long line = 0; line < 6; ++line)
            surface->drawText(10, 234 + line * 12, plain, TextAlign::Left, notes[line]);
        return 0;
    }

    long onStylusDown(tagPOINT point) override
    {
        guide = static_cast<unsigned long>(point.x);
        return 0;
    }

    long onKeyDown(unsigned long key, KeyList& keys) override { return key == keys.vkStart ? quitCode : 0; }

private:
    SurfaceRGBA strip;
    Font gold;
    Font green;
    // Multiplying keeps the dark outline dark and tints the light gold.
    MultiplyShader greenTint{RGB(110, 255, 170)};
    unsigned long guide = 120;
    unsigned long score = 0;
};

class FontsGame : public StateMachine {
public:
    long configure(Config* config) override
    {
        config->appName = L"Fonts and text";
        return 0;
    }

    long onInit(Surface*, Panel*, Application*) override
    {
        if (long result = text.load()) {
            // Say why, then end: a negative answer of the game's onInit ends the program.
            MessageBoxW(nullptr, L"title-font.png", getErrorTextForCode(result), MB_OK | MB_ICONERROR);
            return -1;
        }
        page.addEventHandler(&text, nullptr, false, false);
        addState(&page);
        setInitialState(&page);
        return 0;
    }

private:
    State page;
    TextHandler text;
};

} // namespace

int WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    FontsGame* game = new FontsGame();
    game->setAppInstance(instance);
    long result = game->run();
    delete game;
    return static_cast<int>(result);
}
