#include "standalone/ZarnUI.h"

#include "engine/WaveType.h"
#include "standalone/ZarnAudioInit.h"
#include "timbre/TimbreDialogs.h"
#include "timbre/TimbreFile.h"
#include "timbre/ValueText.h"
#include "widgets/GuiImageFolder.h"
#include "widgets/PanelLayout.h"

#include <array>

int ZarnUI::eqChangeCount = 0;

namespace
{
juce::String T (double x)
{
    return ValueText::of (x);
}

// The setting keys of a timbre element, compared ignoring case.
const juce::String* findAttribute (const juce::XmlElement& timbre, const juce::String& key)
{
    for (int i = 0; i < timbre.getNumAttributes(); ++i)
        if (timbre.getAttributeName (i).equalsIgnoreCase (key))
            return &timbre.getAttributeValue (i);

    return nullptr;
}

// Blanks, a sign, then decimal digits up to the first other character; 0 without digits.
int readInt (const juce::XmlElement& timbre, const juce::String& key)
{
    const auto* text = findAttribute (timbre, key);
    return text != nullptr ? text->getIntValue() : 0;
}

double readDouble (const juce::XmlElement& timbre, const juce::String& key)
{
    const auto* text = findAttribute (timbre, key);
    return text != nullptr ? text->getDoubleValue() : 0.0;
}

// True when the first non-blank character is 1, t, y, T or Y.
bool readBool (const juce::XmlElement& timbre, const juce::String& key)
{
    const auto* text = findAttribute (timbre, key);

    if (text == nullptr)
        return false;

    const auto first = *text->getCharPointer().findEndOfWhitespace();
    return first == '1' || first == 't' || first == 'y' || first == 'T' || first == 'Y';
}

juce::Font panelFont()
{
    return juce::Font (juce::Font::getDefaultSansSerifFontName(), 15.0f, juce::Font::plain);
}
} // namespace

//==============================================================================
ZarnUI::ZarnUI()
{
    backgroundImage = GuiImageFolder::load (juce::File::getCurrentWorkingDirectory().getChildFile ("GUI Resource/background.png"));

    for (int i = 0; i < ZarnSynthesiser::numVoices; ++i)
        voices[i] = dynamic_cast<ZarnVoice*> (synth().getVoice (i));

    ampatk = addKnob ("ampatk", 3, 5000, 3);
    ampdcy = addKnob ("ampdcy", 10, 5000, 3);
    ampsus = addKnob ("ampsus", 0, 1, 0.001);
    amprls = addKnob ("amprls", 1, 5000, 3);
    ampall = addKnob ("ampall", 0, 1, 0.001);
    fltatk = addKnob ("fltatk", 1, 3000, 10);
    fltdcy = addKnob ("fltdcy", 1, 3000, 10);
    fltsus = addKnob ("fltsus", 0.01, 1, 0.01);
    fltrls = addKnob ("fltrls", 1, 3000, 10);
    fltcut = addKnob ("fltcut", 0, 5000, 10);
    fltres = addKnob ("fltres", 0, 1, 0.001);
    fltamt = addKnob ("fltamt", 0, 1, 0.001);
    dlyfbk = addKnob ("dlyfbk", 0, 1, 0.01);
    dlylvl = addKnob ("dlylvl", 0, 1, 0.01);
    lforate = addKnob ("lforate", 0, 20, 0.01);
    lfoamt = addKnob ("lfoamt", 0, 1, 0.01);

    for (int o = 0; o < 3; ++o)
    {
        oscSwitch[o] = addSwitch (false);
        doubleSwitch[o] = addSwitch (false);
    }

    lfoSwitch = addSwitch (false);
    lfoSwitch->on = false;

    lfoPulseButton = addSelector (5);
    lfoSawtoothButton = addSelector (1);
    lfoTriangleButton = addSelector (6);
    lfoSawtoothButton->selected = false;
    lfoTriangleButton->selected = false;

    filterSwitch = addSwitch (false);

    for (int o = 0; o < 3; ++o)
    {
        const juce::String index (o);

        pw[o] = addKnob ("pw" + index, 0, 0.5, 0.01);
        pw[o]->setValue (0.5, juce::sendNotificationAsync);
        lvl[o] = addKnob ("lvl" + index, 0, 1, 0.001);
        dtn[o] = addKnob ("dtn" + index, -24, 24, 1);
        cent[o] = addKnob ("cent" + index, -100, 100, 1);
        squareButton[o] = addSelector (Square);
        sawtoothButton[o] = addSelector (Sawtooth);
        sineButton[o] = addSelector (Sine);
        triangleButton[o] = addSelector (Triangle);
        noiseButton[o] = addSelector (WhiteNoise);
    }

    for (int o = 0; o < 3; ++o)
    {
        sawtoothButton[o]->selected = false;
        sineButton[o]->selected = false;
        triangleButton[o]->selected = false;
        noiseButton[o]->selected = false;
    }

    for (int b = 0; b < 8; ++b)
        eq[b] = addSlider ("eq" + juce::String (b), -8, 8, 0.01);

    eqSwitch = addSwitch (true);
    eqSwitch->on = false;

    keyboard = new ZarnKeyboard (audioInit->audioSource.keyboardState);
    addAndMakeVisible (keyboard);
    keyboard->setAvailableRange (53, 100);

    statusLabel = new juce::Label ({}, "zarN:   Hello!");
    addAndMakeVisible (statusLabel);
    statusLabel->setJustificationType (juce::Justification::left);
    statusLabel->setFont (panelFont());

    startTimer (2000);

    welcomeWindow = std::make_unique<HelloWindow>();
    welcomeWindow->setVisible (true);

    optionsButton = addTextButton ("Options");

    presetsBox = new juce::ComboBox ("presets");
    addAndMakeVisible (presetsBox);
    fillPresetList();
    presetsBox->addListener (this);
    presetsBox->setJustificationType (juce::Justification::centred);

    presetsLabel = new juce::Label ({}, "Presets");
    addAndMakeVisible (presetsLabel);
    presetsLabel->setFont (panelFont());

    saveButton = addTextButton ("save");
    loadButton = addTextButton ("load");

    loadTimbre ("presets.xml", "default");

    setSize (PanelLayout::width, PanelLayout::height);
}

ZarnUI::~ZarnUI()
{
    deleteAllChildren();
    welcomeWindow = nullptr;
}

ZarnSynthesiser& ZarnUI::synth() const
{
    return audioInit->audioSource.synth;
}

ZarnKnob* ZarnUI::addKnob (const juce::String& name, double min, double max, double step)
{
    auto* knob = new ZarnKnob (name);
    addAndMakeVisible (knob);
    knob->setSliderStyle (juce::Slider::RotaryVerticalDrag);
    knob->setRange (min, max, step);
    knob->addListener (this);
    return knob;
}

ZarnSlider* ZarnUI::addSlider (const juce::String& name, double min, double max, double step)
{
    auto* slider = new ZarnSlider (name);
    addAndMakeVisible (slider);
    slider->setSliderStyle (juce::Slider::LinearVertical);
    slider->setRange (min, max, step);
    slider->addListener (this);
    return slider;
}

ZarnSwitch* ZarnUI::addSwitch (bool isEq)
{
    auto* control = new ZarnSwitch (isEq);
    addAndMakeVisible (control);
    control->addListener (this);
    return control;
}

ZarnButton* ZarnUI::addSelector (int kind)
{
    auto* button = new ZarnButton (kind);
    addAndMakeVisible (button);
    button->addListener (this);
    return button;
}

juce::TextButton* ZarnUI::addTextButton (const juce::String& text)
{
    auto* button = new juce::TextButton (text);
    addAndMakeVisible (button);
    button->addListener (this);
    button->setConnectedEdges (juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight);
    return button;
}

//==============================================================================
void ZarnUI::paint (juce::Graphics& g)
{
    g.setOpacity (1.0f);

    if (backgroundImage.isValid())
        g.drawImage (backgroundImage, 0, 0, getWidth(), getHeight(),
                     0, 0, backgroundImage.getWidth(), backgroundImage.getHeight());
}

void ZarnUI::resized()
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

    for (int b = 0; b < 8; ++b)
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
    optionsButton->setBounds (L::optionsButton());
    presetsBox->setBounds (L::presetsBox());
    presetsLabel->setBounds (L::presetsLabel());
    saveButton->setBounds (L::saveButton());
    loadButton->setBounds (L::loadButton());

    // A top-level window: these are screen coordinates, wherever the main window stands.
    if (welcomeWindow != nullptr)
        welcomeWindow->setBounds (L::welcomeWindow());
}

//==============================================================================
void ZarnUI::setStatus (const juce::String& text)
{
    statusLabel->setText (text, juce::dontSendNotification);
}

void ZarnUI::show (juce::Slider* slider, const juce::String& status, const juce::String& tooltip)
{
    setStatus (status);
    slider->setTooltip (tooltip);
}

void ZarnUI::sliderValueChanged (juce::Slider* slider)
{
    const double v = slider->getValue();

    if (! handleSliderRow (slider, v))
        equaliserPass (slider, v);
}

bool ZarnUI::handleSliderRow (juce::Slider* slider, double v)
{
    auto& s = synth();
    const auto percent = T (100.0 * v);

    if (slider == fltcut)  { s.setCutoff (v);          show (slider, "Cutoff:  " + T (v) + " hz", T (v) + " Hz"); return true; }
    if (slider == fltres)  { s.setResonance (v);       show (slider, "Resonance:  " + percent + " %", percent + "%"); return true; }
    if (slider == fltatk)  { s.setFilterAttack (v);    show (slider, "Filter attack:  " + T (v) + " ms", T (v) + " ms"); return true; }
    if (slider == fltdcy)  { s.setFilterDecay (v);     show (slider, "Filter decay:  " + T (v) + " ms", T (v) + " ms"); return true; }
    if (slider == fltsus)  { s.setFilterSustain (v);   show (slider, "Filter sustain:  " + percent + " %", percent + "%"); return true; }
    if (slider == fltrls)  { s.setFilterRelease (v);   show (slider, "Filter release:  " + T (v) + " ms", T (v) + " ms"); return true; }
    if (slider == fltamt)  { s.setFilterEnvAmount (v); show (slider, "Filter depth:  " + percent + " %", percent + "%"); return true; }
    if (slider == ampatk)  { s.setAmpAttack (v);       show (slider, "Amp attack:  " + T (v) + " ms", T (v) + " ms"); return true; }
    if (slider == ampdcy)  { s.setAmpDecay (v);        show (slider, "Amp decay:  " + T (v) + " ms", T (v) + " ms"); return true; }
    if (slider == ampsus)  { s.setAmpSustain (v);      show (slider, "Amp sustain:  " + percent + " %", percent + "%"); return true; }
    if (slider == amprls)  { s.setAmpRelease (v);      show (slider, "Amp release:  " + T (v) + " ms", T (v) + " ms"); return true; }
    if (slider == ampall)  { s.setVolume (v);          show (slider, "Gain:  " + percent + " %", percent + "%"); return true; }
    if (slider == dlyfbk)  { s.setEchoFeedback (v);    show (slider, "Delay feedback: " + percent + " %", percent + "%"); return true; }
    if (slider == dlylvl)
    {
        s.setEchoLevel (v);
        show (slider, "Delay level: " + percent + " %", percent + "%\nTo turn of the Delay just set this to 0");
        return true;
    }
    if (slider == lforate && lfoSwitch->on) { s.setLfoRate (v);  show (slider, "Lfo rate:    " + T (v) + " Hz", T (v) + " Hz"); return true; }
    if (slider == lfoamt && lfoSwitch->on)  { s.setLfoDepth (v); show (slider, "Lfo depth:    " + percent + " %", percent + "%"); return true; }

    for (int o = 0; o < 3; ++o)
    {
        if (! oscSwitch[o]->on)
            continue;

        const auto sign = v >= 0.0 ? juce::String ("+") : juce::String();

        if (slider == lvl[o])
        {
            s.setOscLevel (o, v);
            show (slider, "OSC level:  " + percent + " %", percent + "%");
            return false;
        }

        if (slider == dtn[o])
        {
            s.setOscSemitones (o, static_cast<int> (v));
            show (slider, "OSC pitch:  " + sign + T (v) + " semitones", sign + T (v) + " semitones");
            return false;
        }

        if (slider == cent[o])
        {
            s.setOscCents (o, static_cast<int> (v));
            show (slider, "OSC fine:  " + sign + T (v) + " cents", sign + T (v) + " cents");
            return false;
        }

        if (slider == pw[o])
        {
            s.setOscPulseWidth (o, v);
            const auto width = T (200.0 * v);
            show (slider, "Pulse width:  " + width + " %", width + "%");
            return false;
        }
    }

    return false;
}

void ZarnUI::equaliserPass (juce::Slider* slider, double v)
{
    for (int b = 0; b < 8; ++b)
    {
        if (slider == eq[b])
        {
            synth().setEqGain (b, static_cast<float> (v));
            setStatus ("Equalizer:  " + T (v) + " dB");
        }

        eq[b]->setTooltip (T (eq[b]->getValue()) + " dB");

        if (eqChangeCount == 143)
            setStatus ("^_^zarN says:  Hello!");

        ++eqChangeCount;
    }
}

//==============================================================================
void ZarnUI::selectOscWave (int o, ZarnButton* clicked, int waveType)
{
    for (auto* button : { squareButton[o], sawtoothButton[o], triangleButton[o], sineButton[o], noiseButton[o] })
        button->selected = (button == clicked);

    repaint();
    synth().setOscWave (o, waveType);
}

void ZarnUI::selectLfoWave (ZarnButton* clicked, int waveType, const juce::String& status)
{
    for (auto* button : { lfoPulseButton, lfoSawtoothButton, lfoTriangleButton })
        button->selected = (button == clicked);

    repaint();
    synth().setLfoWave (waveType);
    setStatus (status);
}

void ZarnUI::buttonClicked (juce::Button* button)
{
    auto& s = synth();

    if (button == lfoPulseButton)    { selectLfoWave (lfoPulseButton, Pulse, "Lfo:  Pulse Wave"); return; }
    if (button == lfoSawtoothButton) { selectLfoWave (lfoSawtoothButton, Sawtooth, "Lfo:  Sawtooth Wave"); return; }
    if (button == lfoTriangleButton) { selectLfoWave (lfoTriangleButton, Triangle, "Lfo:  Triangle Wave"); return; }

    if (button == filterSwitch)
    {
        s.setFilterOn (filterSwitch->on);
        return;
    }

    if (button == lfoSwitch)
    {
        if (lfoSwitch->on)
        {
            handleSliderRow (lforate, lforate->getValue());
            handleSliderRow (lfoamt, lfoamt->getValue());
            setStatus ("Lfo is now   On");
        }
        else
        {
            s.setLfoDepth (0.0);
            setStatus ("Lfo is now   Off");
        }
        return;
    }

    if (button == eqSwitch)
    {
        s.setEqOn (eqSwitch->on);
        setStatus (eqSwitch->on ? "Equalizer is now  On" : "Equalizer is now  Off");
        return;
    }

    if (button == optionsButton) { showOptionsMenu(); return; }
    if (button == saveButton)    { saveTimbreAs(); return; }
    if (button == loadButton)    { chooseTimbreToLoad(); return; }

    for (int o = 0; o < 3; ++o)
    {
        const juce::String letter = juce::String::charToString (static_cast<juce::juce_wchar> ('A' + o));

        if (button == oscSwitch[o])
        {
            if (oscSwitch[o]->on)
                s.setOscLevels (o, lvl[o]->getValue(), 0.14);
            else
                s.setOscLevels (o, 0.0, 0.0);

            setStatus ("Oscillator " + letter + (oscSwitch[o]->on ? " is On" : " is Off"));
            return;
        }

        if (button == squareButton[o])   { selectOscWave (o, squareButton[o], Square); return; }
        if (button == sawtoothButton[o]) { selectOscWave (o, sawtoothButton[o], Sawtooth); return; }
        if (button == triangleButton[o]) { selectOscWave (o, triangleButton[o], Triangle); return; }
        if (button == sineButton[o])     { selectOscWave (o, sineButton[o], Sine); return; }
        if (button == noiseButton[o])    { selectOscWave (o, noiseButton[o], WhiteNoise); return; }

        if (button == doubleSwitch[o])
        {
            s.setOscDoubleLevel (o, doubleSwitch[o]->on ? 0.19 : 0.0);
            return;
        }
    }
}

void ZarnUI::showOptionsMenu()
{
    juce::PopupMenu menu;
    menu.addItem (1, "Audio settings");
    menu.addItem (2, "About");
    menu.addSeparator();
    menu.addItem (3, "Quit");

    const int chosen = menu.show();

    if (chosen == 1)
    {
        juce::AudioDeviceSelectorComponent selector (audioInit->deviceManager, 0, 1, 2, 2, true, false, true, false);
        selector.setSize (500, 400);
        juce::DialogWindow::showModalDialog ("zarN audio settings", &selector, this,
                                             juce::Colours::silver, true, false, false);
    }
    else if (chosen == 2)
    {
        welcomeWindow = nullptr;
        welcomeWindow = std::make_unique<HelloWindow>();
        welcomeWindow->setVisible (true);
        resized();
    }
    else if (chosen == 3)
    {
        juce::JUCEApplication::quit();
    }
}

void ZarnUI::timerCallback()
{
    if (welcomeWindow != nullptr)
    {
        welcomeWindow->setVisible (false);
        welcomeWindow = nullptr;
    }

    stopTimer();
    repaint();
}

//==============================================================================
void ZarnUI::saveTimbreAs()
{
    const auto target = TimbreDialogs::chooseFileToSave();

    if (target.file != juce::File())
        saveTimbre (target.file, target.timbreName);
}

void ZarnUI::saveTimbre (const juce::File& file, const juce::String& timbreName)
{
    const auto flag = [] (const ZarnSwitch* control) { return control->on ? 1.0 : 0.0; };

    struct Setting
    {
        juce::String key;
        double value;
    };

    juce::Array<Setting> settings;

    for (int o = 0; o < 3; ++o)
    {
        const auto prefix = "osc" + juce::String (o);
        settings.add ({ prefix + "switch", flag (oscSwitch[o]) });
        settings.add ({ prefix + "wave", static_cast<double> (synth().getOscWave (o)) });
        settings.add ({ prefix + "lvl", lvl[o]->getValue() });
        settings.add ({ prefix + "dtn", dtn[o]->getValue() });
        settings.add ({ prefix + "cent", cent[o]->getValue() });
        settings.add ({ prefix + "pw", pw[o]->getValue() });
        settings.add ({ prefix + "double", flag (doubleSwitch[o]) });
    }

    settings.add ({ "moogSwitch", flag (filterSwitch) });
    settings.add ({ "moogAtk", fltatk->getValue() });
    settings.add ({ "moogDcy", fltdcy->getValue() });
    settings.add ({ "moogSus", fltsus->getValue() });
    settings.add ({ "moogRls", fltrls->getValue() });
    settings.add ({ "moogCutoff", fltcut->getValue() });
    settings.add ({ "moogRes", fltres->getValue() });
    settings.add ({ "moogDepth", fltamt->getValue() });
    settings.add ({ "ampGain", ampall->getValue() });
    settings.add ({ "ampAtk", ampatk->getValue() });
    settings.add ({ "ampDcy", ampdcy->getValue() });
    settings.add ({ "ampSus", ampsus->getValue() });
    settings.add ({ "ampRls", amprls->getValue() });
    settings.add ({ "delayFbk", dlyfbk->getValue() });
    settings.add ({ "delayLvl", dlylvl->getValue() });
    settings.add ({ "lfoSwitch", flag (lfoSwitch) });
    settings.add ({ "lfoWave", static_cast<double> (synth().getLfoWave()) });
    settings.add ({ "lfoRate", lforate->getValue() });
    settings.add ({ "lfoDepth", lfoamt->getValue() });
    settings.add ({ "eqSwitch", flag (eqSwitch) });

    for (int b = 0; b < 8; ++b)
        settings.add ({ "eq" + juce::String (b), eq[b]->getValue() });

    // Placed by key, so the file's attribute order is the format's own.
    std::array<double, TimbreFile::numAttributes> values {};

    for (int i = 0; i < TimbreFile::numAttributes; ++i)
        for (const auto& setting : settings)
            if (setting.key == TimbreFile::attributes[i].name)
                values[static_cast<size_t> (i)] = setting.value;

    if (! TimbreFile::save (file, timbreName, values))
        setStatus ("Couldn't save the timbre!");
}

void ZarnUI::chooseTimbreToLoad()
{
    const auto file = TimbreDialogs::chooseFileToLoad();

    if (file == juce::File())
        return;

    loadTimbre (file.getFullPathName(), file.getFileNameWithoutExtension());
}

void ZarnUI::loadTimbre (const juce::String& path, const juce::String& timbreName)
{
    const auto timbre = TimbreFile::findTimbre (path, timbreName);

    if (timbre == nullptr)
        return;

    const auto& t = *timbre;

    // A switch follows a stored state as a click would: its handler runs only on a change.
    const auto follow = [this] (ZarnSwitch* control, bool shouldBeOn) {
        if (control->on != shouldBeOn)
        {
            control->on = shouldBeOn;
            control->repaint();
            buttonClicked (control);
        }
    };

    const auto load = [&t] (juce::Slider* slider, const juce::String& key) {
        slider->setValue (readDouble (t, key), juce::sendNotificationAsync);
    };

    for (int o = 0; o < 3; ++o)
    {
        const auto prefix = "osc" + juce::String (o);

        follow (oscSwitch[o], readInt (t, prefix + "switch") != 0);
        lvl[o]->setValue (readDouble (t, prefix + "lvl"), juce::sendNotificationAsync);
        pw[o]->setValue (readDouble (t, prefix + "pw"), juce::sendNotificationAsync);
        dtn[o]->setValue (readDouble (t, prefix + "dtn"), juce::sendNotificationAsync);
        cent[o]->setValue (readDouble (t, prefix + "cent"), juce::sendNotificationAsync);
        follow (doubleSwitch[o], readBool (t, prefix + "double"));

        ZarnButton* const waveButtons[] = { squareButton[o], sawtoothButton[o], triangleButton[o],
                                            sineButton[o], noiseButton[o] };
        const int wave = readInt (t, prefix + "wave");

        if (wave >= Square && wave <= WhiteNoise)
            buttonClicked (waveButtons[wave]);
    }

    load (fltcut, "moogCutoff");
    load (fltres, "moogRes");
    load (fltatk, "moogAtk");
    load (fltdcy, "moogDcy");
    load (fltsus, "moogSus");
    load (fltrls, "moogRls");
    load (fltamt, "moogDepth");

    follow (filterSwitch, readBool (t, "moogSwitch"));

    load (ampall, "ampGain");
    load (ampatk, "ampAtk");
    load (ampdcy, "ampDcy");
    load (ampsus, "ampSus");
    load (amprls, "ampRls");
    load (dlyfbk, "delayFbk");
    load (dlylvl, "delayLvl");

    follow (lfoSwitch, readInt (t, "lfoSwitch") != 0);

    load (lforate, "lfoRate");
    load (lfoamt, "lfoDepth");

    const int lfoWave = readInt (t, "lfoWave");

    if (lfoWave == Pulse)
        buttonClicked (lfoPulseButton);
    else if (lfoWave == Sawtooth)
        buttonClicked (lfoSawtoothButton);
    else if (lfoWave == Triangle)
        buttonClicked (lfoTriangleButton);

    follow (eqSwitch, readInt (t, "eqSwitch") != 0);

    for (int b = 0; b < 8; ++b)
        load (eq[b], "eq" + juce::String (b));
}

void ZarnUI::fillPresetList()
{
    const auto file = juce::File::getCurrentWorkingDirectory().getChildFile ("presets.xml");

    if (! file.existsAsFile())
        return;

    const auto names = TimbreFile::listTimbres (file);

    for (int i = 0; i < names.size(); ++i)
        presetsBox->addItem (names[i], i + 1);

    if (presetsBox->getNumItems() > 0)
        presetsBox->setText (presetsBox->getItemText (0), juce::sendNotificationAsync);
}

void ZarnUI::comboBoxChanged (juce::ComboBox* box)
{
    if (box == presetsBox)
        loadTimbre ("presets.xml", presetsBox->getItemText (presetsBox->getSelectedItemIndex()));
}
