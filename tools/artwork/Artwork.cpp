#include "tools/artwork/Artwork.h"

#include "widgets/GuiImageFiles.h"
#include "widgets/PanelLayout.h"

namespace
{
using juce::Colour;
using Kind = ZarnButton::Kind;

// The panel's palette: a dark instrument face with the cyan of the controls as its accent.
const Colour accent (0x45, 0xcb, 0xd7);
const Colour accentBright (0xb8, 0xf3, 0xf8);
const Colour faceTop (0x22, 0x28, 0x2f);
const Colour faceBottom (0x14, 0x18, 0x1c);
const Colour plateTop (0x2b, 0x32, 0x3a);
const Colour plateBottom (0x22, 0x28, 0x2f);
const Colour plateEdgeLight (0x3f, 0x49, 0x54);
const Colour plateEdgeDark (0x0c, 0x0e, 0x11);
const Colour captionColour (0xb4, 0xc0, 0xca);
const Colour textColour (0xe2, 0xe8, 0xec);
const Colour insetColour (0x0b, 0x0f, 0x12);

constexpr float pi = juce::MathConstants<float>::pi;

// Knob sweep: 270 degrees, from 7:30 (minimum) clockwise to 4:30 (maximum).
constexpr float sweepStart = -0.75f * pi;
constexpr float sweepEnd = 0.75f * pi;

juce::Point<float> onCircle (juce::Point<float> centre, float radius, float angle)
{
    return { centre.x + radius * std::sin (angle), centre.y - radius * std::cos (angle) };
}

juce::Typeface::Ptr loadTypeface (const juce::File& file)
{
    juce::MemoryBlock data;

    if (! file.loadFileAsData (data) || data.getSize() == 0)
        return {};

    return juce::Typeface::createSystemTypefaceFor (data.getData(), data.getSize());
}

juce::Image newImage (int width, int height)
{
    return juce::Image (juce::Image::ARGB, width, height, true);
}
}

Artwork::Artwork (const juce::File& regularFont, const juce::File& boldFont)
    : regular (loadTypeface (regularFont)), bold (loadTypeface (boldFont))
{
}

bool Artwork::fontsLoaded() const
{
    return regular != nullptr && bold != nullptr;
}

juce::Font Artwork::font (float height, bool isBold) const
{
    const auto& face = isBold ? bold : regular;

    if (face == nullptr)
        return juce::Font (height, isBold ? juce::Font::bold : juce::Font::plain);

    return juce::Font (face).withHeight (height);
}

void Artwork::drawText (juce::Graphics& g, const juce::String& text, juce::Rectangle<float> area,
                        float height, bool isBold, juce::Colour colour, juce::Justification justification) const
{
    g.setColour (colour);
    g.setFont (font (height, isBold));
    g.drawText (text, area, justification, false);
}

void Artwork::drawVerticalTitle (juce::Graphics& g, const juce::String& text, juce::Rectangle<float> area) const
{
    // Reads bottom to top, centred in area.
    juce::Graphics::ScopedSaveState state (g);
    const auto centre = area.getCentre();
    g.addTransform (juce::AffineTransform::rotation (-0.5f * pi, centre.x, centre.y));
    const auto rotated = juce::Rectangle<float> (area.getHeight(), area.getWidth()).withCentre (centre);
    drawText (g, text, rotated, 10.5f, true, accent);
}

void Artwork::drawCaption (juce::Graphics& g, const juce::String& text, juce::Rectangle<int> control) const
{
    const auto area = juce::Rectangle<float> ((float) control.getX() - 8.0f, (float) control.getBottom() + 1.0f,
                                              (float) control.getWidth() + 16.0f, 11.0f);
    drawText (g, text, area, 9.0f, true, captionColour);
}

void Artwork::drawPlate (juce::Graphics& g, juce::Rectangle<float> area) const
{
    g.setColour (juce::Colours::black.withAlpha (0.45f));
    g.fillRoundedRectangle (area.translated (0.0f, 1.5f), 5.0f);

    g.setGradientFill (juce::ColourGradient (plateTop, 0.0f, area.getY(), plateBottom, 0.0f, area.getBottom(), false));
    g.fillRoundedRectangle (area, 5.0f);

    g.setColour (plateEdgeDark);
    g.drawRoundedRectangle (area.reduced (0.5f), 5.0f, 1.0f);
    g.setColour (plateEdgeLight);
    g.drawLine (area.getX() + 5.0f, area.getY() + 1.5f, area.getRight() - 5.0f, area.getY() + 1.5f, 1.0f);
}

void Artwork::drawInset (juce::Graphics& g, juce::Rectangle<float> area, float cornerSize) const
{
    g.setColour (insetColour);
    g.fillRoundedRectangle (area, cornerSize);
    g.setColour (juce::Colours::black);
    g.drawRoundedRectangle (area.reduced (0.5f), cornerSize, 1.0f);
    g.setColour (Colour (0x34, 0x3d, 0x46));
    g.drawLine (area.getX() + cornerSize, area.getBottom() - 0.5f, area.getRight() - cornerSize, area.getBottom() - 0.5f, 1.0f);
}

void Artwork::drawLogo (juce::Graphics& g, juce::Rectangle<float> area, float height) const
{
    // A soft glow under the name, then the name itself.
    const auto logoFont = font (height, true);
    juce::GlyphArrangement glyphs;
    glyphs.addFittedText (logoFont, "zarN", area.getX(), area.getY(), area.getWidth(), area.getHeight(),
                          juce::Justification::centredLeft, 1);
    juce::Path outline;
    glyphs.createPath (outline);

    for (int i = 3; i > 0; --i)
    {
        g.setColour (accent.withAlpha (0.07f));
        g.strokePath (outline, juce::PathStrokeType ((float) i * 2.5f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    }

    g.setGradientFill (juce::ColourGradient (accentBright, 0.0f, area.getY(), accent, 0.0f, area.getBottom(), false));
    g.fillPath (outline);
}

//==============================================================================
void Artwork::drawKnobFrame (juce::Graphics& g, float proportion) const
{
    const auto centre = juce::Point<float> (knobSize * 0.5f, knobSize * 0.5f);
    const float angle = sweepStart + proportion * (sweepEnd - sweepStart);

    // Value ring: the whole sweep dim, the part up to the value lit.
    const float ringRadius = 22.5f;
    juce::Path track;
    track.addCentredArc (centre.x, centre.y, ringRadius, ringRadius, 0.0f, sweepStart, sweepEnd, true);
    g.setColour (Colour (0x0d, 0x10, 0x13));
    g.strokePath (track, juce::PathStrokeType (4.0f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    g.setColour (Colour (0x3a, 0x44, 0x4e));
    g.strokePath (track, juce::PathStrokeType (2.0f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));

    if (proportion > 0.0f)
    {
        juce::Path value;
        value.addCentredArc (centre.x, centre.y, ringRadius, ringRadius, 0.0f, sweepStart, angle, true);
        g.setColour (accent.withAlpha (0.3f));
        g.strokePath (value, juce::PathStrokeType (4.5f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
        g.setColour (accent);
        g.strokePath (value, juce::PathStrokeType (2.2f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    }

    // Body: shadow, dark rim, a cap lit from above.
    const float bodyRadius = 17.0f;
    g.setColour (juce::Colours::black.withAlpha (0.55f));
    g.fillEllipse (juce::Rectangle<float> (2.0f * (bodyRadius + 1.0f), 2.0f * (bodyRadius + 1.0f)).withCentre (centre.translated (0.0f, 1.5f)));

    const auto body = juce::Rectangle<float> (2.0f * bodyRadius, 2.0f * bodyRadius).withCentre (centre);
    g.setGradientFill (juce::ColourGradient (Colour (0x55, 0x5f, 0x6a), centre.x, body.getY(),
                                             Colour (0x1a, 0x1e, 0x23), centre.x, body.getBottom(), false));
    g.fillEllipse (body);

    const auto cap = body.reduced (3.0f);
    g.setGradientFill (juce::ColourGradient (Colour (0x3c, 0x45, 0x4e), centre.x, cap.getY(),
                                             Colour (0x23, 0x29, 0x2f), centre.x, cap.getBottom(), false));
    g.fillEllipse (cap);
    g.setColour (plateEdgeDark);
    g.drawEllipse (body, 1.0f);

    // Pointer.
    const auto inner = onCircle (centre, 5.0f, angle);
    const auto outer = onCircle (centre, bodyRadius - 2.5f, angle);
    g.setColour (juce::Colours::black.withAlpha (0.5f));
    g.drawLine ({ inner.translated (0.0f, 1.0f), outer.translated (0.0f, 1.0f) }, 3.0f);
    g.setColour (Colour (0xf2, 0xf7, 0xf8));
    juce::Path pointer;
    pointer.startNewSubPath (inner);
    pointer.lineTo (outer);
    g.strokePath (pointer, juce::PathStrokeType (2.6f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
}

juce::Image Artwork::stackedStrip (int width, int height, void (Artwork::*drawFrame) (juce::Graphics&, float) const) const
{
    auto image = newImage (width, height * frameCount);
    juce::Graphics g (image);

    for (int i = 0; i < frameCount; ++i)
    {
        juce::Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (0, i * height, width, height);
        g.setOrigin (0, i * height);
        (this->*drawFrame) (g, (float) i / (float) (frameCount - 1));
    }

    return image;
}

juce::Image Artwork::rotarySlider() const
{
    return stackedStrip (knobSize, knobSize, &Artwork::drawKnobFrame);
}

void Artwork::drawSliderFrame (juce::Graphics& g, float proportion) const
{
    const float centreX = sliderWidth * 0.5f;
    const float topY = 10.0f, bottomY = 90.0f; // the thumb's centre travels between these
    const float thumbY = bottomY - proportion * (bottomY - topY);
    const float zeroY = 0.5f * (topY + bottomY);

    // Scale: a tick every quarter of the range, the middle (0 dB) one longer and lit.
    for (int t = 0; t <= 8; ++t)
    {
        const float y = topY + (bottomY - topY) * (float) t / 8.0f;
        const bool middle = t == 4;
        const float length = middle ? 5.0f : (t % 2 == 0 ? 3.5f : 2.0f);
        g.setColour (middle ? accent.withAlpha (0.8f) : Colour (0x6b, 0x78, 0x84));
        g.fillRect (juce::Rectangle<float> (1.0f, y - 0.5f, length, 1.0f));
        g.fillRect (juce::Rectangle<float> (sliderWidth - 1.0f - length, y - 0.5f, length, 1.0f));
    }

    // Slot, with the part between 0 dB and the value lit.
    const auto slot = juce::Rectangle<float> (centreX - 2.5f, topY - 4.0f, 5.0f, bottomY - topY + 8.0f);
    g.setColour (Colour (0x06, 0x08, 0x0a));
    g.fillRoundedRectangle (slot, 2.5f);
    g.setColour (Colour (0x34, 0x3d, 0x46));
    g.drawRoundedRectangle (slot.expanded (0.5f), 3.0f, 1.0f);

    const auto lit = juce::Rectangle<float> (centreX - 1.5f, juce::jmin (zeroY, thumbY), 3.0f, std::abs (zeroY - thumbY));
    g.setColour (accent.withAlpha (0.35f));
    g.fillRect (lit.expanded (1.0f, 0.0f));
    g.setColour (accent);
    g.fillRect (lit);

    // Thumb: a ribbed cap with a lit index line.
    const auto thumb = juce::Rectangle<float> (4.0f, thumbY - 6.5f, sliderWidth - 8.0f, 13.0f);
    g.setColour (juce::Colours::black.withAlpha (0.55f));
    g.fillRoundedRectangle (thumb.translated (0.0f, 1.5f), 2.5f);
    g.setGradientFill (juce::ColourGradient (Colour (0x64, 0x6f, 0x7a), 0.0f, thumb.getY(),
                                             Colour (0x26, 0x2c, 0x33), 0.0f, thumb.getBottom(), false));
    g.fillRoundedRectangle (thumb, 2.5f);
    g.setColour (plateEdgeDark);
    g.drawRoundedRectangle (thumb, 2.5f, 1.0f);
    g.setColour (Colour (0x1a, 0x1f, 0x24));
    g.fillRect (juce::Rectangle<float> (thumb.getX() + 3.0f, thumbY - 4.0f, thumb.getWidth() - 6.0f, 1.0f));
    g.fillRect (juce::Rectangle<float> (thumb.getX() + 3.0f, thumbY + 3.0f, thumb.getWidth() - 6.0f, 1.0f));
    g.setColour (accentBright);
    g.fillRect (juce::Rectangle<float> (thumb.getX() + 2.0f, thumbY - 0.75f, thumb.getWidth() - 4.0f, 1.5f));
}

juce::Image Artwork::verticalSlider() const
{
    return stackedStrip (sliderWidth, sliderHeight, &Artwork::drawSliderFrame);
}

//==============================================================================
void Artwork::drawLed (juce::Graphics& g, juce::Rectangle<float> area, bool lit) const
{
    const auto centre = area.getCentre();
    const float radius = area.getWidth() * 0.5f;

    // Bezel.
    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.fillEllipse (area.translated (0.0f, 0.8f));
    g.setGradientFill (juce::ColourGradient (Colour (0x5a, 0x65, 0x70), centre.x, area.getY(),
                                             Colour (0x16, 0x1a, 0x1e), centre.x, area.getBottom(), false));
    g.fillEllipse (area);
    g.setColour (plateEdgeDark);
    g.drawEllipse (area.reduced (0.5f), 1.0f);

    // Lamp.
    const auto lamp = area.reduced (radius * 0.34f);

    if (lit)
    {
        g.setColour (accent.withAlpha (0.35f));
        g.fillEllipse (lamp.expanded (radius * 0.18f));
        juce::ColourGradient glow (Colour (0xf0, 0xfd, 0xfe), centre.x - radius * 0.15f, centre.y - radius * 0.2f,
                                   accent, centre.x, lamp.getBottom(), true);
        g.setGradientFill (glow);
        g.fillEllipse (lamp);
    }
    else
    {
        g.setGradientFill (juce::ColourGradient (Colour (0x0e, 0x1c, 0x1f), centre.x, lamp.getY(),
                                                 Colour (0x1d, 0x33, 0x37), centre.x, lamp.getBottom(), false));
        g.fillEllipse (lamp);
        g.setColour (juce::Colours::white.withAlpha (0.12f));
        g.fillEllipse (lamp.withSizeKeepingCentre (lamp.getWidth() * 0.45f, lamp.getHeight() * 0.3f)
                           .translated (0.0f, -lamp.getHeight() * 0.22f));
    }
}

juce::Image Artwork::ledSwitch (int size, float inset) const
{
    auto image = newImage (2 * size, size);
    juce::Graphics g (image);

    for (int frame = 0; frame < 2; ++frame)
        drawLed (g, juce::Rectangle<float> ((float) (frame * size), 0.0f, (float) size, (float) size).reduced (inset), frame == 1);

    return image;
}

juce::Image Artwork::switchButton() const
{
    return ledSwitch (switchSize, 1.0f);
}

juce::Image Artwork::eqButton() const
{
    return ledSwitch (eqSwitchSize, 0.5f);
}

//==============================================================================
juce::Image Artwork::whiteNote() const
{
    auto image = newImage (2 * whiteKeyWidth, whiteKeyHeight);
    juce::Graphics g (image);
    const float w = (float) whiteKeyWidth, h = (float) whiteKeyHeight;

    for (int frame = 0; frame < 2; ++frame)
    {
        const bool down = frame == 1;
        const float x = (float) frame * w;
        const auto key = juce::Rectangle<float> (x + 1.0f, 0.0f, w - 1.0f, h);

        // Gap between neighbouring keys.
        g.setColour (Colour (0x2b, 0x30, 0x35));
        g.fillRect (juce::Rectangle<float> (x, 0.0f, 1.0f, h));

        juce::Path shape;
        shape.addRoundedRectangle (key.getX(), key.getY(), key.getWidth(), key.getHeight() - 0.5f, 2.5f, 2.5f, false, false, true, true);

        if (down)
        {
            g.setGradientFill (juce::ColourGradient (Colour (0xb9, 0xc7, 0xca), 0.0f, 0.0f,
                                                     Colour (0xd8, 0xf1, 0xf4), 0.0f, h, false));
            g.fillPath (shape);
            // A cyan glow where the finger presses.
            g.setGradientFill (juce::ColourGradient (accent.withAlpha (0.0f), 0.0f, h * 0.45f,
                                                     accent.withAlpha (0.55f), 0.0f, h, false));
            g.fillPath (shape);
            g.setColour (juce::Colours::black.withAlpha (0.25f));
            g.fillRect (key.withHeight (4.0f));
        }
        else
        {
            g.setGradientFill (juce::ColourGradient (Colour (0xdd, 0xdb, 0xd4), 0.0f, 0.0f,
                                                     Colour (0xfb, 0xfa, 0xf6), 0.0f, h * 0.8f, false));
            g.fillPath (shape);
            // The front lip of the key.
            g.setColour (Colour (0xc4, 0xc0, 0xb6));
            g.fillRect (juce::Rectangle<float> (key.getX() + 0.5f, h - 5.0f, key.getWidth() - 1.0f, 3.0f));
            g.setColour (juce::Colours::black.withAlpha (0.18f));
            g.fillRect (key.withHeight (3.0f));
        }
    }

    return image;
}

juce::Image Artwork::blackNote() const
{
    auto image = newImage (2 * blackKeyWidth, blackKeyHeight);
    juce::Graphics g (image);
    const float w = (float) blackKeyWidth, h = (float) blackKeyHeight;

    for (int frame = 0; frame < 2; ++frame)
    {
        const bool down = frame == 1;
        const float x = (float) frame * w;
        const auto key = juce::Rectangle<float> (x, 0.0f, w, h);

        juce::Path body;
        body.addRoundedRectangle (key.getX(), key.getY(), key.getWidth(), key.getHeight(), 1.5f, 1.5f, false, false, true, true);
        g.setColour (Colour (0x07, 0x08, 0x0a));
        g.fillPath (body);

        // The top face: long when up, shorter and lit when down.
        const float faceBottom = down ? h - 3.0f : h - 7.0f;
        const auto face = juce::Rectangle<float> (x + 1.5f, 0.0f, w - 3.0f, faceBottom);
        if (down)
            g.setGradientFill (juce::ColourGradient (Colour (0x12, 0x2a, 0x2e), 0.0f, 0.0f,
                                                     Colour (0x2a, 0x6d, 0x75), 0.0f, faceBottom, false));
        else
            g.setGradientFill (juce::ColourGradient (Colour (0x1c, 0x20, 0x24), 0.0f, 0.0f,
                                                     Colour (0x3b, 0x41, 0x48), 0.0f, faceBottom, false));
        g.fillRoundedRectangle (face, 1.0f);

        g.setColour (juce::Colours::white.withAlpha (down ? 0.10f : 0.16f));
        g.fillRect (juce::Rectangle<float> (x + 2.5f, 2.0f, 1.0f, faceBottom - 5.0f));
    }

    return image;
}

//==============================================================================
juce::Path Artwork::wavePath (ZarnButton::Kind kind, juce::Rectangle<float> area)
{
    const float x0 = area.getX(), x1 = area.getRight(), top = area.getY(), bottom = area.getBottom();
    const float mid = area.getCentreY(), w = area.getWidth();
    juce::Path p;

    switch (kind)
    {
        case Kind::square: // two cycles
        {
            p.startNewSubPath (x0, mid);
            p.lineTo (x0, top);
            for (int half = 0; half < 4; ++half)
            {
                const float xa = x0 + w * (float) (half + 1) / 4.0f;
                const float level = half % 2 == 0 ? top : bottom;
                p.lineTo (xa, level);
                if (half < 3)
                    p.lineTo (xa, half % 2 == 0 ? bottom : top);
            }
            p.lineTo (x1, mid);
            break;
        }
        case Kind::sawtooth: // falling, two cycles
        {
            p.startNewSubPath (x0, mid);
            p.lineTo (x0, top);
            p.lineTo (x0 + w * 0.5f, bottom);
            p.lineTo (x0 + w * 0.5f, top);
            p.lineTo (x1, bottom);
            p.lineTo (x1, mid);
            break;
        }
        case Kind::triangle: // two cycles
        {
            p.startNewSubPath (x0, mid);
            for (int q = 1; q <= 8; ++q)
            {
                const float x = x0 + w * (float) q / 8.0f;
                const float y = (q % 4 == 1) ? top : (q % 4 == 3) ? bottom : mid;
                if (q % 2 == 1)
                    p.lineTo (x, y);
            }
            p.lineTo (x1, mid);
            break;
        }
        case Kind::sine: // two cycles
        {
            p.startNewSubPath (x0, mid);
            for (int i = 1; i <= 64; ++i)
            {
                const float t = (float) i / 64.0f;
                p.lineTo (x0 + w * t, mid - (mid - top) * std::sin (4.0f * pi * t));
            }
            break;
        }
        case Kind::whiteNoise:
        {
            juce::Random random (4711);
            p.startNewSubPath (x0, mid);
            for (float x = x0 + 1.5f; x <= x1; x += 1.5f)
                p.lineTo (x, mid + (mid - top) * (random.nextFloat() * 2.0f - 1.0f));
            break;
        }
        case Kind::squareLfo: // the LFO's unipolar pulse: rests at the bottom, rises to the top
        {
            p.startNewSubPath (x0, bottom);
            p.lineTo (x0 + w * 0.125f, bottom);
            p.lineTo (x0 + w * 0.125f, top);
            p.lineTo (x0 + w * 0.375f, top);
            p.lineTo (x0 + w * 0.375f, bottom);
            p.lineTo (x0 + w * 0.625f, bottom);
            p.lineTo (x0 + w * 0.625f, top);
            p.lineTo (x0 + w * 0.875f, top);
            p.lineTo (x0 + w * 0.875f, bottom);
            p.lineTo (x1, bottom);
            break;
        }
        case Kind::triangleLfo: // the LFO's triangle, one and a half slow cycles
        default:
        {
            p.startNewSubPath (x0, bottom);
            p.lineTo (x0 + w / 3.0f, top);
            p.lineTo (x0 + w * 2.0f / 3.0f, bottom);
            p.lineTo (x1, top);
            break;
        }
    }

    return p;
}

juce::Image Artwork::selector (ZarnButton::Kind kind) const
{
    auto image = newImage (2 * selectorWidth, selectorHeight);
    juce::Graphics g (image);
    const bool lfo = kind == Kind::squareLfo || kind == Kind::triangleLfo;

    for (int frame = 0; frame < 2; ++frame)
    {
        const bool selected = frame == 1;
        const auto cell = juce::Rectangle<float> ((float) (frame * selectorWidth), 0.0f, (float) selectorWidth, (float) selectorHeight);
        const auto button = cell.reduced (1.0f, 1.0f).withTrimmedBottom (0.5f);

        g.setColour (juce::Colours::black.withAlpha (0.5f));
        g.fillRoundedRectangle (button.translated (0.0f, 1.0f), 4.0f);

        if (selected)
            g.setGradientFill (juce::ColourGradient (Colour (0x15, 0x45, 0x4b), 0.0f, button.getY(),
                                                     Colour (0x0b, 0x22, 0x26), 0.0f, button.getBottom(), false));
        else
            g.setGradientFill (juce::ColourGradient (Colour (0x36, 0x3e, 0x47), 0.0f, button.getY(),
                                                     Colour (0x21, 0x26, 0x2c), 0.0f, button.getBottom(), false));
        g.fillRoundedRectangle (button, 4.0f);

        g.setColour (selected ? accent : Colour (0x0c, 0x0e, 0x11));
        g.drawRoundedRectangle (button.reduced (0.5f), 3.5f, 1.0f);

        if (! selected)
        {
            g.setColour (Colour (0x4c, 0x57, 0x62));
            g.drawLine (button.getX() + 4.0f, button.getY() + 1.5f, button.getRight() - 4.0f, button.getY() + 1.5f, 1.0f);
        }

        const auto waveArea = button.reduced (8.0f, 6.0f);

        if (lfo)
        {
            // A dotted rest line marks the slow shapes of the LFO.
            g.setColour ((selected ? accent : Colour (0x7d, 0x8a, 0x96)).withAlpha (0.45f));
            for (float x = waveArea.getX(); x <= waveArea.getRight(); x += 3.0f)
                g.fillRect (juce::Rectangle<float> (x, waveArea.getBottom() + 2.0f, 1.0f, 1.0f));
        }

        const auto wave = wavePath (kind, waveArea);

        if (selected)
        {
            g.setColour (accent.withAlpha (0.3f));
            g.strokePath (wave, juce::PathStrokeType (4.0f, juce::PathStrokeType::mitered, juce::PathStrokeType::rounded));
            g.setColour (accentBright);
            g.strokePath (wave, juce::PathStrokeType (1.7f, juce::PathStrokeType::mitered, juce::PathStrokeType::rounded));
        }
        else
        {
            g.setColour (Colour (0x9a, 0xa6, 0xb1));
            g.strokePath (wave, juce::PathStrokeType (1.5f, juce::PathStrokeType::mitered, juce::PathStrokeType::rounded));
        }
    }

    return image;
}

//==============================================================================
juce::Image Artwork::background() const
{
    using L = PanelLayout;
    auto image = newImage (L::width, L::height);
    juce::Graphics g (image);

    // The face: a dark gradient with a fine brushed texture.
    g.setGradientFill (juce::ColourGradient (faceTop, 0.0f, 0.0f, faceBottom, 0.0f, (float) L::height, false));
    g.fillAll();
    {
        juce::Random random (1207);
        for (int y = 0; y < L::height; y += 2)
        {
            g.setColour (juce::Colours::white.withAlpha (0.008f + 0.012f * random.nextFloat()));
            g.fillRect (0, y, L::width, 1);
        }
    }
    g.setColour (plateEdgeDark);
    g.drawRect (L::bounds(), 1);

    // Header: the name. The standalone's options button draws itself at the top left; the
    // plug-in's editor has none, so nothing is drawn there.
    drawLogo (g, { 82.0f, 2.0f, 130.0f, 50.0f }, 40.0f);
    drawText (g, "POLYPHONIC SYNTHESISER", { 200.0f, 24.0f, 250.0f, 14.0f }, 10.0f, true, captionColour, juce::Justification::centredLeft);
    g.setColour (accent.withAlpha (0.5f));
    g.fillRect (juce::Rectangle<float> (200.0f, 40.0f, 232.0f, 1.0f));

    // Display: the status line above the preset row.
    {
        const auto display = juce::Rectangle<float> (478.0f, 18.0f, 310.0f, 79.0f);
        drawInset (g, display, 6.0f);
        const auto status = L::statusLabel().toFloat().expanded (3.0f, 1.0f);
        g.setGradientFill (juce::ColourGradient (Colour (0x0c, 0x22, 0x26), 0.0f, status.getY(),
                                                 Colour (0x07, 0x15, 0x18), 0.0f, status.getBottom(), false));
        g.fillRoundedRectangle (status, 3.0f);
        g.setColour (accent.withAlpha (0.45f));
        g.drawRoundedRectangle (status.reduced (0.5f), 3.0f, 1.0f);
        drawText (g, "STATUS", { 488.0f, 30.0f, 88.0f, 12.0f }, 9.0f, true, accent.withAlpha (0.8f), juce::Justification::centredLeft);
        drawText (g, "32 voices", { 488.0f, 44.0f, 88.0f, 12.0f }, 9.0f, false, captionColour.withAlpha (0.7f), juce::Justification::centredLeft);
        g.setColour (Colour (0x2a, 0x33, 0x3b));
        g.fillRect (juce::Rectangle<float> (484.0f, 65.5f, 298.0f, 1.0f));
    }

    // Oscillators: one plate per oscillator, its number written up the left edge.
    const float oscTop[] = { 57.0f, 172.0f, 275.0f };
    const float oscBottom[] = { 169.0f, 272.0f, 377.0f };

    for (int k = 0; k < 3; ++k)
    {
        const auto plate = juce::Rectangle<float> (4.0f, oscTop[k], 440.0f, oscBottom[k] - oscTop[k]);
        drawPlate (g, plate);
        drawVerticalTitle (g, "OSC " + juce::String (k + 1), { 6.0f, plate.getY(), 14.0f, plate.getHeight() });
        g.setColour (accent.withAlpha (0.35f));
        g.fillRect (juce::Rectangle<float> (21.0f, plate.getY() + 8.0f, 1.0f, plate.getHeight() - 16.0f));

        drawCaption (g, "ON", L::oscSwitch (k));
        drawCaption (g, "DOUBLE", L::doubleSwitch (k));
        drawCaption (g, "PW", L::pw (k));
        drawCaption (g, "LEVEL", L::lvl (k));
        drawCaption (g, "SEMI", L::dtn (k));
        drawCaption (g, "CENT", L::cent (k));
    }

    // Filter, with its envelope framed inside it.
    {
        const auto plate = juce::Rectangle<float> (472.0f, 100.0f, 322.0f, 150.0f);
        drawPlate (g, plate);
        drawText (g, "FILTER", { 480.0f, 102.0f, 60.0f, 12.0f }, 10.5f, true, accent, juce::Justification::centredLeft);

        const auto envelope = juce::Rectangle<float> (592.0f, 102.0f, 136.0f, 145.0f);
        g.setColour (plateEdgeDark.withAlpha (0.6f));
        g.fillRoundedRectangle (envelope, 4.0f);
        g.setColour (accent.withAlpha (0.3f));
        g.drawRoundedRectangle (envelope.reduced (0.5f), 4.0f, 1.0f);
        drawText (g, "ENVELOPE", envelope.withHeight (12.0f).translated (0.0f, 1.0f), 9.5f, true, accent);

        drawCaption (g, "CUTOFF", L::fltcut());
        drawCaption (g, "RESO", L::fltres());
        drawCaption (g, "ENV AMT", L::fltamt());
        drawCaption (g, "ON", L::filterSwitch());
        drawCaption (g, "ATTACK", L::fltatk());
        drawCaption (g, "DECAY", L::fltdcy());
        drawCaption (g, "SUSTAIN", L::fltsus());
        drawCaption (g, "RELEASE", L::fltrls());
    }

    // Equaliser: title and switch on top, the band frequencies under the sliders.
    {
        const auto plate = juce::Rectangle<float> (472.0f, 253.0f, 322.0f, 127.0f);
        drawPlate (g, plate);
        const auto eqSwitch = L::eqSwitch().toFloat();
        drawText (g, "EQUALISER", { 480.0f, eqSwitch.getY(), eqSwitch.getX() - 484.0f, eqSwitch.getHeight() },
                  10.5f, true, accent, juce::Justification::centredRight);

        const char* bands[] = { "64", "125", "250", "500", "1k", "2k", "4k", "8k" };

        for (int b = 0; b < 8; ++b)
        {
            const auto slider = L::eq (b);
            drawText (g, bands[b], { (float) slider.getX() - 4.0f, (float) slider.getBottom() + 0.5f, (float) slider.getWidth() + 8.0f, 10.0f },
                      9.0f, true, captionColour);
        }

    }

    // Gain.
    {
        const auto plate = juce::Rectangle<float> (4.0f, 383.0f, 82.0f, 77.0f);
        drawPlate (g, plate);
        const auto knob = L::ampall().toFloat();
        drawText (g, "GAIN", { knob.getX() - 6.0f, plate.getY() + 3.0f, knob.getWidth() + 12.0f, 14.0f }, 10.5f, true, accent);
    }

    // LFO.
    {
        const auto plate = juce::Rectangle<float> (92.0f, 383.0f, 446.0f, 77.0f);
        drawPlate (g, plate);
        drawText (g, "LFO", { 104.0f, 392.0f, 70.0f, 16.0f }, 13.0f, true, accent, juce::Justification::centredLeft);
        drawText (g, "PITCH", { 104.0f, 409.0f, 70.0f, 11.0f }, 8.5f, true, captionColour.withAlpha (0.8f), juce::Justification::centredLeft);
        drawText (g, "MODULATION", { 104.0f, 420.0f, 70.0f, 11.0f }, 8.5f, true, captionColour.withAlpha (0.8f), juce::Justification::centredLeft);

        const auto shapes = { std::make_pair (L::lfoPulseButton(), "PULSE"), std::make_pair (L::lfoSawtoothButton(), "SAW"),
                              std::make_pair (L::lfoTriangleButton(), "TRIANGLE") };
        for (const auto& [position, name] : shapes)
            drawCaption (g, name, L::oneFrame (position, selectorWidth, selectorHeight));

        drawCaption (g, "ON", L::lfoSwitch());
        drawCaption (g, "RATE", L::lforate());
        drawCaption (g, "DEPTH", L::lfoamt());
    }

    // Delay.
    {
        const auto plate = juce::Rectangle<float> (544.0f, 383.0f, 250.0f, 77.0f);
        drawPlate (g, plate);
        drawText (g, "DELAY", { 556.0f, 392.0f, 80.0f, 16.0f }, 13.0f, true, accent, juce::Justification::centredLeft);
        drawText (g, "STEREO", { 556.0f, 409.0f, 80.0f, 11.0f }, 8.5f, true, captionColour.withAlpha (0.8f), juce::Justification::centredLeft);
        drawText (g, "ECHO", { 556.0f, 420.0f, 80.0f, 11.0f }, 8.5f, true, captionColour.withAlpha (0.8f), juce::Justification::centredLeft);
        drawCaption (g, "FEEDBACK", L::dlyfbk());
        drawCaption (g, "LEVEL", L::dlylvl());
    }

    // Amplitude envelope.
    {
        const auto plate = juce::Rectangle<float> (4.0f, 463.0f, 288.0f, 83.0f);
        drawPlate (g, plate);
        drawVerticalTitle (g, "AMP ENV", { 5.0f, plate.getY(), 13.0f, plate.getHeight() });
        drawCaption (g, "ATTACK", L::ampatk());
        drawCaption (g, "DECAY", L::ampdcy());
        drawCaption (g, "SUSTAIN", L::ampsus());
        drawCaption (g, "RELEASE", L::amprls());
    }

    // Keyboard bed: a dark recess with a felt strip along the back of the keys.
    {
        const auto keys = L::keyboard().toFloat();
        const auto bed = keys.expanded (6.0f, 5.0f).withBottom ((float) L::height - 4.0f);
        drawInset (g, bed, 5.0f);
        g.setColour (accent.withAlpha (0.55f));
        g.fillRect (juce::Rectangle<float> (keys.getX(), keys.getY() - 3.0f, keys.getWidth(), 2.0f));
    }

    return image;
}

juce::Image Artwork::welcome() const
{
    auto image = newImage (300, 240);
    juce::Graphics g (image);

    g.setGradientFill (juce::ColourGradient (Colour (0x1c, 0x26, 0x2d), 150.0f, 70.0f,
                                             Colour (0x0a, 0x0d, 0x10), 150.0f, 300.0f, true));
    g.fillAll();

    // A slow sweep of waves behind the name.
    for (int layer = 0; layer < 5; ++layer)
    {
        juce::Path wave;
        const float amplitude = 14.0f + 6.0f * (float) layer;
        const float phase = 0.6f * (float) layer;
        for (int x = 0; x <= 300; x += 2)
        {
            const juce::Point<float> p ((float) x, 150.0f + amplitude * std::sin (phase + (float) x / 300.0f * 3.0f * pi)
                                                           * std::exp (-(float) x / 420.0f));
            if (x == 0)
                wave.startNewSubPath (p);
            else
                wave.lineTo (p);
        }
        g.setColour (accent.withAlpha (0.08f + 0.07f * (float) layer));
        g.strokePath (wave, juce::PathStrokeType (1.2f));
    }

    drawLogo (g, { 62.0f, 40.0f, 200.0f, 80.0f }, 72.0f);
    drawText (g, "POLYPHONIC SYNTHESISER", { 0.0f, 122.0f, 300.0f, 16.0f }, 11.0f, true, textColour);
    g.setColour (accent.withAlpha (0.6f));
    g.fillRect (juce::Rectangle<float> (60.0f, 141.0f, 180.0f, 1.0f));

    drawText (g, juce::String (juce::CharPointer_UTF8 ("32 voices  \xc2\xb7  3 oscillators  \xc2\xb7  ladder filter")), { 0.0f, 190.0f, 300.0f, 14.0f },
              9.5f, false, captionColour);
    drawText (g, "version 1.0", { 0.0f, 210.0f, 300.0f, 14.0f }, 9.0f, false, captionColour.withAlpha (0.6f));

    // A small keyboard motif.
    const float keyW = 10.0f, keyTop = 158.0f, keyH = 22.0f, keysX = 150.0f - 7.0f * keyW;
    for (int i = 0; i < 14; ++i)
    {
        g.setColour (Colour (0xe6, 0xea, 0xec));
        g.fillRect (juce::Rectangle<float> (keysX + (float) i * keyW + 0.5f, keyTop, keyW - 1.0f, keyH));
    }
    const int blackAfter[] = { 0, 1, 3, 4, 5, 7, 8, 10, 11, 12 };
    for (int i : blackAfter)
    {
        g.setColour (i == 4 ? accent : Colour (0x10, 0x12, 0x14));
        g.fillRect (juce::Rectangle<float> (keysX + (float) (i + 1) * keyW - 3.0f, keyTop, 6.0f, keyH * 0.6f));
    }

    return image;
}

juce::Image Artwork::icon() const
{
    auto image = newImage (64, 64);
    juce::Graphics g (image);
    const auto area = juce::Rectangle<float> (2.0f, 2.0f, 60.0f, 60.0f);

    g.setGradientFill (juce::ColourGradient (Colour (0x2c, 0x35, 0x3e), 0.0f, 2.0f, Colour (0x10, 0x13, 0x17), 0.0f, 62.0f, false));
    g.fillRoundedRectangle (area, 12.0f);
    g.setColour (accent);
    g.drawRoundedRectangle (area.reduced (1.0f), 11.0f, 2.0f);

    // A falling sawtooth under a bold initial.
    juce::Path saw;
    saw.startNewSubPath (10.0f, 46.0f);
    saw.lineTo (10.0f, 38.0f);
    saw.lineTo (26.0f, 50.0f);
    saw.lineTo (26.0f, 38.0f);
    saw.lineTo (42.0f, 50.0f);
    saw.lineTo (42.0f, 38.0f);
    saw.lineTo (54.0f, 47.0f);
    g.setColour (accent.withAlpha (0.35f));
    g.strokePath (saw, juce::PathStrokeType (4.0f, juce::PathStrokeType::mitered, juce::PathStrokeType::rounded));
    g.setColour (accentBright);
    g.strokePath (saw, juce::PathStrokeType (2.0f, juce::PathStrokeType::mitered, juce::PathStrokeType::rounded));

    drawText (g, "z", { 2.0f, 2.0f, 60.0f, 40.0f }, 40.0f, true, textColour);

    return image;
}

std::vector<std::pair<juce::String, juce::Image>> Artwork::allImages() const
{
    namespace F = GuiImageFiles;
    return { { F::rotarySlider, rotarySlider() },
             { F::verticalSlider, verticalSlider() },
             { F::switchButton, switchButton() },
             { F::eqButton, eqButton() },
             { F::whiteNote, whiteNote() },
             { F::blackNote, blackNote() },
             { F::square, selector (Kind::square) },
             { F::sawtooth, selector (Kind::sawtooth) },
             { F::triangle, selector (Kind::triangle) },
             { F::sine, selector (Kind::sine) },
             { F::wNoise, selector (Kind::whiteNoise) },
             { F::squareLfo, selector (Kind::squareLfo) },
             { F::triangleLfo, selector (Kind::triangleLfo) },
             { F::background, background() },
             { F::welcome, welcome() },
             { F::icon, icon() } };
}
