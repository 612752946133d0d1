#include "panel/ZarnPanel.h"

#include "engine/WaveType.h"
#include "timbre/TimbreFile.h"
#include "widgets/GuiImageFiles.h"
#include "widgets/GuiImageFolder.h"
#include "widgets/PanelLayout.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace
{
using S = SettingsTable;
using Kind = ZarnButton::Kind;

// An oscillator's selectors are numbered as the WaveTypes they select.
static_assert ((int) Kind::square == Square && (int) Kind::sawtooth == Sawtooth && (int) Kind::triangle == Triangle
               && (int) Kind::sine == Sine && (int) Kind::whiteNoise == WhiteNoise);

juce::Font panelFont()
{
    return juce::Font (juce::Font::getDefaultSansSerifFontName(), 15.0f, juce::Font::plain);
}

bool isWaveRow (const S::Row& row)
{
    return row.widget == S::Widget::oscWaveButtons || row.widget == S::Widget::lfoWaveButtons;
}
} // namespace

ZarnPanel::ZarnPanel (juce::Component& faceToShowOn, ZarnSynthesiser& synthToRead, juce::MidiKeyboardState& state,
                      const juce::File& folder, int& equaliserCount, int greetingCount)
    : backgroundImage (GuiImageFolder::picture (GuiImageFiles::background)),
      synth (synthToRead),
      face (faceToShowOn),
      keys (state),
      dataFolder (folder),
      eqChangeCount (equaliserCount),
      greetingAt (greetingCount)
{
}

ZarnPanel::~ZarnPanel() = default;

void ZarnPanel::oscillatorKnobsAdded (int) {}

//==============================================================================
void ZarnPanel::addControls()
{
    ampatk = addKnob (S::indexOf (S::ampAttack));
    ampdcy = addKnob (S::indexOf (S::ampDecay));
    ampsus = addKnob (S::indexOf (S::ampSustain));
    amprls = addKnob (S::indexOf (S::ampRelease));
    ampall = addKnob (S::indexOf (S::gain));
    fltatk = addKnob (S::indexOf (S::filterAttack));
    fltdcy = addKnob (S::indexOf (S::filterDecay));
    fltsus = addKnob (S::indexOf (S::filterSustain));
    fltrls = addKnob (S::indexOf (S::filterRelease));
    fltcut = addKnob (S::indexOf (S::cutoff));
    fltres = addKnob (S::indexOf (S::resonance));
    fltamt = addKnob (S::indexOf (S::filterDepth));
    dlyfbk = addKnob (S::indexOf (S::echoFeedback));
    dlylvl = addKnob (S::indexOf (S::echoLevel));
    lforate = addKnob (S::indexOf (S::lfoRate));
    lfoamt = addKnob (S::indexOf (S::lfoDepth));

    for (int o = 0; o < 3; ++o)
    {
        oscSwitch[o] = addSwitch (S::indexOf (S::oscSwitch, o));
        doubleSwitch[o] = addSwitch (S::indexOf (S::oscDouble, o));
    }

    lfoSwitch = addSwitch (S::indexOf (S::lfoSwitch));

    lfoPulseButton = addSelector (Kind::squareLfo);
    lfoSawtoothButton = addSelector (Kind::sawtooth);
    lfoTriangleButton = addSelector (Kind::triangleLfo);
    showWave (S::indexOf (S::lfoWave), (int) S::rows[S::indexOf (S::lfoWave)].start);

    filterSwitch = addSwitch (S::indexOf (S::filterSwitch));

    for (int o = 0; o < 3; ++o)
    {
        pw[o] = addKnob (S::indexOf (S::oscPulseWidth, o));
        lvl[o] = addKnob (S::indexOf (S::oscLevel, o));
        dtn[o] = addKnob (S::indexOf (S::oscSemitones, o));
        cent[o] = addKnob (S::indexOf (S::oscCents, o));
        oscillatorKnobsAdded (o);

        squareButton[o] = addSelector (Kind::square);
        sawtoothButton[o] = addSelector (Kind::sawtooth);
        sineButton[o] = addSelector (Kind::sine);
        triangleButton[o] = addSelector (Kind::triangle);
        noiseButton[o] = addSelector (Kind::whiteNoise);
    }

    for (int o = 0; o < 3; ++o)
    {
        const int index = S::indexOf (S::oscWave, o);
        showWave (index, (int) S::rows[index].start);
    }

    for (int b = 0; b < (int) std::size (eq); ++b)
        eq[b] = addSlider (S::indexOf (S::eqGain, b));

    eqSwitch = addSwitch (S::indexOf (S::eqSwitch));

    keyboard = new ZarnKeyboard (keys);
    face.addAndMakeVisible (keyboard);
    keyboard->setAvailableRange (53, 100);

    statusLabel = new juce::Label ({}, "zarN:   Hello!");
    face.addAndMakeVisible (statusLabel);
    statusLabel->setJustificationType (juce::Justification::left);
    statusLabel->setFont (panelFont());
}

void ZarnPanel::addPresetsBox()
{
    presetsBox = new juce::ComboBox ("presets");
    face.addAndMakeVisible (presetsBox);
    fillPresetList();
    presetsBox->addListener (this);
    presetsBox->setJustificationType (juce::Justification::centred);
}

void ZarnPanel::addPresetsLabelAndButtons()
{
    presetsLabel = new juce::Label ({}, "Presets");
    face.addAndMakeVisible (presetsLabel);
    presetsLabel->setFont (panelFont());

    saveButton = addTextButton ("save");
    loadButton = addTextButton ("load");
}

ZarnKnob* ZarnPanel::addKnob (int index)
{
    auto* knob = new ZarnKnob (S::rows[index].name);
    addValueControl (*knob, index, juce::Slider::RotaryVerticalDrag);
    return knob;
}

ZarnSlider* ZarnPanel::addSlider (int index)
{
    auto* slider = new ZarnSlider (S::rows[index].name);
    addValueControl (*slider, index, juce::Slider::LinearVertical);
    return slider;
}

void ZarnPanel::addValueControl (juce::Slider& control, int index, juce::Slider::SliderStyle style)
{
    const auto& row = S::rows[index];
    face.addAndMakeVisible (control);
    control.setSliderStyle (style);
    control.setRange (row.minimum, row.maximum, row.step);
    control.addListener (this);

    // Where the range alone doesn't give the start value, the control is set to it with a
    // change message, which its handler meets once the message loop runs.
    if (control.getValue() != row.start)
        control.setValue (row.start, juce::sendNotificationAsync);

    controls[index] = &control;
}

ZarnSwitch* ZarnPanel::addSwitch (int index)
{
    const auto& row = S::rows[index];
    auto* control = new ZarnSwitch (row.widget == S::Widget::eqToggle ? ZarnSwitch::Kind::equaliser : ZarnSwitch::Kind::power);
    face.addAndMakeVisible (control);
    control->addListener (this);
    control->on = row.start != 0.0;
    controls[index] = control;
    return control;
}

ZarnButton* ZarnPanel::addSelector (Kind kind)
{
    auto* button = new ZarnButton (kind);
    face.addAndMakeVisible (button);
    button->addListener (this);
    return button;
}

juce::TextButton* ZarnPanel::addTextButton (const juce::String& text)
{
    auto* button = new juce::TextButton (text);
    face.addAndMakeVisible (button);
    button->addListener (this);
    button->setConnectedEdges (juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight);
    return button;
}

//==============================================================================
void ZarnPanel::paintBackground (juce::Graphics& g)
{
    g.setOpacity (1.0f);

    const auto& background = backgroundImage.image();

    if (background.isValid())
        g.drawImage (background, 0, 0, face.getWidth(), face.getHeight(),
                     0, 0, background.getWidth(), background.getHeight());
}

void ZarnPanel::layOutControls()
{
    using L = PanelLayout;

    ampatk->setBounds (L::ampatk());
    ampdcy->setBounds (L::ampdcy());
    ampsus->setBounds (L::ampsus());
    amprls->setBounds (L::amprls());
    ampall->setBounds (L::ampall());
    fltcut->setBounds (L::fltcut());
    fltatk->setBounds (L::fltatk());
    fltdcy->setBounds (L::fltdcy());
    fltres->setBounds (L::fltres());
    fltsus->setBounds (L::fltsus());
    fltrls->setBounds (L::fltrls());
    fltamt->setBounds (L::fltamt());
    dlyfbk->setBounds (L::dlyfbk());
    dlylvl->setBounds (L::dlylvl());
    lforate->setBounds (L::lforate());
    lfoamt->setBounds (L::lfoamt());

    for (int k = 0; k < 3; ++k)
        oscSwitch[k]->setBounds (L::oscSwitch (k));

    for (int k = 0; k < 3; ++k)
        doubleSwitch[k]->setBounds (L::doubleSwitch (k));

    lfoSwitch->setBounds (L::lfoSwitch());
    filterSwitch->setBounds (L::filterSwitch());

    for (int k = 0; k < 3; ++k)
    {
        pw[k]->setBounds (L::pw (k));
        lvl[k]->setBounds (L::lvl (k));
        dtn[k]->setBounds (L::dtn (k));
        cent[k]->setBounds (L::cent (k));
    }

    keyboard->setBounds (L::keyboard());

    for (int b = 0; b < (int) std::size (eq); ++b)
        eq[b]->setBounds (L::eq (b));

    eqSwitch->setBounds (L::eqSwitch());

    const auto oneFrame = [] (ZarnButton* button, juce::Point<int> topLeft) {
        button->setBounds (L::oneFrame (topLeft, button->frameWidth, button->frameHeight));
    };

    for (int k = 0; k < 3; ++k)
    {
        oneFrame (squareButton[k], L::squareButton (k));
        oneFrame (sawtoothButton[k], L::sawtoothButton (k));
        oneFrame (triangleButton[k], L::triangleButton (k));
        oneFrame (sineButton[k], L::sineButton (k));
        oneFrame (noiseButton[k], L::noiseButton (k));
    }

    oneFrame (lfoPulseButton, L::lfoPulseButton());
    oneFrame (lfoSawtoothButton, L::lfoSawtoothButton());
    oneFrame (lfoTriangleButton, L::lfoTriangleButton());

    statusLabel->setBounds (L::statusLabel());
    presetsBox->setBounds (L::presetsBox());
    presetsLabel->setBounds (L::presetsLabel());
    saveButton->setBounds (L::saveButton());
    loadButton->setBounds (L::loadButton());
}

//==============================================================================
void ZarnPanel::setStatus (const juce::String& text)
{
    statusLabel->setText (text, juce::dontSendNotification);
}

juce::Slider* ZarnPanel::slider (int index) const
{
    return dynamic_cast<juce::Slider*> (controls[index]);
}

ZarnSwitch* ZarnPanel::toggle (int index) const
{
    return dynamic_cast<ZarnSwitch*> (controls[index]);
}

void ZarnPanel::sliderValueChanged (juce::Slider* changed)
{
    for (int index = 0; index < S::count; ++index)
    {
        if (controls[index] != changed || S::rows[index].widget != S::Widget::knob)
            continue;

        // A change that its switch drops, and the oscillator knobs' changes, end in the pass.
        if (runKnobRow (index) && ! S::rows[index].equaliserPass)
            return;

        break;
    }

    equaliserPass (changed);
}

bool ZarnPanel::runKnobRow (int index)
{
    const auto& row = S::rows[index];

    if (row.gate != S::nothing && ! toggle (S::indexOf (row.gate, row.part))->on)
        return false;

    auto* knob = slider (index);
    const double v = knob->getValue();
    apply (index, v);
    setStatus (S::statusText (index, v));
    knob->setTooltip (S::tooltipText (index, v));
    return true;
}

void ZarnPanel::equaliserPass (juce::Slider* changed)
{
    for (int b = 0; b < (int) std::size (eq); ++b)
    {
        const int index = S::indexOf (S::eqGain, b);

        if (changed == eq[b])
        {
            const double v = eq[b]->getValue();
            apply (index, v);
            setStatus (S::statusText (index, v));
        }

        eq[b]->setTooltip (S::tooltipText (index, eq[b]->getValue()));

        if (eqChangeCount == greetingAt)
            setStatus ("^_^zarN says:  Hello!");

        ++eqChangeCount;
    }
}

//==============================================================================
std::vector<ZarnPanel::Selector> ZarnPanel::waveGroup (int index) const
{
    const auto& row = S::rows[index];

    if (row.widget == S::Widget::lfoWaveButtons)
        return { { lfoPulseButton, Kind::squareLfo, Pulse },
                 { lfoSawtoothButton, Kind::sawtooth, Sawtooth },
                 { lfoTriangleButton, Kind::triangleLfo, Triangle } };

    if (row.widget != S::Widget::oscWaveButtons)
        return {};

    const int o = row.part;
    return { { squareButton[o], Kind::square, Square },
             { sawtoothButton[o], Kind::sawtooth, Sawtooth },
             { triangleButton[o], Kind::triangle, Triangle },
             { sineButton[o], Kind::sine, Sine },
             { noiseButton[o], Kind::whiteNoise, WhiteNoise } };
}

void ZarnPanel::selectWaveButton (int o, Kind kind, bool lfoGroup)
{
    const int index = S::indexOf (lfoGroup ? S::lfoWave : S::oscWave, lfoGroup ? 0 : o);
    const auto group = index >= 0 ? waveGroup (index) : std::vector<Selector>();
    const bool hasKind = std::any_of (group.begin(), group.end(), [kind] (const Selector& s) { return s.kind == kind; });

    if (hasKind)
        for (const auto& s : group)
            if (s.kind != kind)
                s.button->selected = false;

    face.repaint();
}

bool ZarnPanel::showWave (int index, int waveType)
{
    for (const auto& s : waveGroup (index))
    {
        if (s.waveType == waveType)
        {
            s.button->selected = true;
            selectWaveButton (S::rows[index].part, s.kind, S::rows[index].widget == S::Widget::lfoWaveButtons);
            return true;
        }
    }

    return false;
}

ZarnButton* ZarnPanel::waveButton (int index, int waveType) const
{
    for (const auto& s : waveGroup (index))
        if (s.waveType == waveType)
            return s.button;

    return nullptr;
}

void ZarnPanel::buttonClicked (juce::Button* button)
{
    if (button == saveButton)
    {
        saveTimbreAs();
        return;
    }

    if (button == loadButton)
    {
        chooseTimbreToLoad();
        return;
    }

    for (int index = 0; index < S::count; ++index)
    {
        if (isWaveRow (S::rows[index]))
        {
            for (const auto& s : waveGroup (index))
            {
                if (s.button == button)
                {
                    waveChosen (index, s);
                    return;
                }
            }
        }
        else if (controls[index] == button)
        {
            switchClicked (index);
            return;
        }
    }
}

void ZarnPanel::waveChosen (int index, const Selector& chosen)
{
    showWave (index, chosen.waveType);
    apply (index, chosen.waveType);

    const auto status = S::statusText (index, chosen.waveType);

    if (status.isNotEmpty())
        setStatus (status);
}

void ZarnPanel::switchClicked (int index)
{
    const bool on = toggle (index)->on;
    apply (index, on ? 1.0 : 0.0);

    // The LFO switch brings its rate and depth back with the knobs' values.
    if (S::rows[index].what == S::lfoSwitch && on)
        for (const auto what : { S::lfoRate, S::lfoDepth })
            runKnobRow (S::indexOf (what));

    const auto status = S::statusText (index, on ? 1.0 : 0.0);

    if (status.isNotEmpty())
        setStatus (status);
}

//==============================================================================
void ZarnPanel::saveTimbre (const juce::File& file, const juce::String& timbreName)
{
    std::array<double, S::count> values {};

    for (int index = 0; index < S::count; ++index)
    {
        const auto& row = S::rows[index];
        auto& value = values[(size_t) index];

        if (auto* s = slider (index))
            value = s->getValue();
        else if (auto* t = toggle (index))
            value = t->on ? 1.0 : 0.0;
        else if (row.widget == S::Widget::oscWaveButtons)
            value = synth.getOscWave (row.part);
        else if (row.widget == S::Widget::lfoWaveButtons)
            value = synth.getLfoWave();
    }

    if (! TimbreFile::save (file, timbreName, values))
        setStatus ("Couldn't save the timbre!");
}

juce::File ZarnPanel::presetFile() const
{
    return dataFolder.getChildFile ("presets.xml");
}

juce::String ZarnPanel::selectedPreset() const
{
    return presetsBox->getItemText (presetsBox->getSelectedItemIndex());
}

void ZarnPanel::fillPresetList()
{
    const auto file = presetFile();

    if (! file.existsAsFile())
        return;

    const auto names = TimbreFile::listTimbres (file);

    for (int i = 0; i < names.size(); ++i)
        presetsBox->addItem (names[i], i + 1);

    if (presetsBox->getNumItems() > 0)
        presetsBox->setText (presetsBox->getItemText (0), juce::sendNotificationAsync);
}
