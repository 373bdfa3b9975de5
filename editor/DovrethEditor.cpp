#include "editor/DovrethEditor.h"

#include "editor/ModuleEditor.h"
#include "editor/PlatformActions.h"
#include "editor/ScaledPluginEditor.h"
#include "framework/PluginPaths.h"

#include <cmath>

namespace
{
constexpr const char* productName = "Tarnello";
constexpr const char* productVersion = "1.0.0";
constexpr const char* releaseType = "Final";
constexpr const char* buildNumber = "333";
constexpr const char* architecture = "intel";
} // namespace

DovrethEditor::DefaultLookAndFeel::DefaultLookAndFeel()
    : previous (&juce::LookAndFeel::getDefaultLookAndFeel())
{
    juce::LookAndFeel::setDefaultLookAndFeel (&lookAndFeel);
    // Fonts resolve through the default look-and-feel and JUCE caches them by name.
    juce::Typeface::clearTypefaceCache();
}

DovrethEditor::DefaultLookAndFeel::~DefaultLookAndFeel()
{
    // Whatever was the default before the first editor comes back; normally none.
    juce::LookAndFeel::setDefaultLookAndFeel (previous.get());
    juce::Typeface::clearTypefaceCache();
}

DovrethEditor::DovrethEditor (DovrethProcessor& processorIn)
    : juce::AudioProcessorEditor (processorIn), dovreth (&processorIn)
{
}

DovrethEditor::~DovrethEditor()
{
    stopTimer();
    // The bars, then the rack with its panels; the help strip and the modal panel that
    // the panels may point at outlive them.
    presetBar.reset();
    sideMenu.reset();
    viewport.setViewedComponent (nullptr, true);
    rack = nullptr;
}

float DovrethEditor::usableScale (float scale) noexcept
{
    // A scale that would size the window to nothing, or divide by nothing, is no scale;
    // one beyond the window's limits (a host that ignored them) is brought back inside.
    if (! std::isfinite (scale) || scale <= 0.0f)
        return 1.0f;
    return juce::jlimit ((float) ScaledPluginEditor::minimumScale, (float) ScaledPluginEditor::maximumScale, scale);
}

float DovrethEditor::scaleFactorForStep (int argument) noexcept
{
    constexpr int count = (int) (sizeof (guiScaleFactors) / sizeof (guiScaleFactors[0]));
    return argument >= 1 && argument <= count ? guiScaleFactors[argument - 1] : 0.0f;
}

juce::String DovrethEditor::aboutMessage (juce::AudioProcessor::WrapperType wrapper)
{
    juce::String message;
    message << productName << " version \n" << productVersion;
    if (juce::String (releaseType).isNotEmpty())
        message << " " << releaseType;
    message << " (build " << buildNumber << ")";
    message << "\n" << (wrapper == juce::AudioProcessor::wrapperType_Undefined ? "UKN" : "AAX") << " " << architecture;
    message << "\n\nSupport \n" << supportAddress;
    message << "\n\nProduct by \n" << PluginPaths::makerName;
    return message;
}

int DovrethEditor::getContentWidth() const
{
    return rack != nullptr ? rack->contentWidth() : minimumContentWidth;
}

void DovrethEditor::paint (juce::Graphics& g)
{
    g.fillAll (getLookAndFeel().findColour (juce::ResizableWindow::backgroundColourId));
}

void DovrethEditor::resized()
{
    if (ownedModalPanel != nullptr)
        ownedModalPanel->setBounds (0, 0, getWidth(), getHeight());

    int viewportBottom = rackTop;
    if (rack != nullptr && rackSettings != nullptr)
    {
        const int viewportWidth = rack->estimatedViewportWidth();
        const int contentWidth = getContentWidth();
        const int viewportHeight = rackSettings->itemHeight
                                   + (contentWidth > viewportWidth ? rackSettings->scrollBarThickness : 0);
        viewport.setBounds (0, rackTop, viewportWidth, viewportHeight);
        rack->setBounds (0, 0, contentWidth, rackSettings->itemHeight);
        viewportBottom = viewport.getBottom();
    }

    if (sideMenu != nullptr)
        sideMenu->setBounds (getWidth() - 39, 13, 23, 18);
    if (presetBar != nullptr)
        presetBar->setBounds (getWidth() / 2 - 110, 4, 220, 30);
    if (helpTextVisor != nullptr)
        helpTextVisor->setBounds (8, viewportBottom + 2, getWidth() - 16, getHeight() - viewportBottom - 3);
}

void DovrethEditor::deleteModuleEditors()
{
    if (rack != nullptr)
        rack->deleteAllItems();
}

void DovrethEditor::rebuildModuleEditors()
{
    if (rack != nullptr)
        rack->createEditors();
    rackResizeIfNeeded();
}

void DovrethEditor::timerCallback()
{
    // Cleared before the rebuild: a state the host restores on its own thread while
    // the panels are being built raises the flag again and is shown on the next tick.
    if (dovreth->rebuildEditors.exchange (false))
    {
        deleteModuleEditors();
        rebuildModuleEditors();
    }

    if (rack != nullptr)
        for (auto* panel : rack->getModuleEditors())
            panel->onTimer();
}

void DovrethEditor::rackResizeIfNeeded()
{
    if (rack == nullptr || rackSettings == nullptr)
        return;

    const int width = rack->estimatedViewportWidth();
    const int height = rackSettings->itemHeight
                       + (getContentWidth() > width ? rackSettings->scrollBarThickness : 0) + chromeHeight;

    if (width == getWidth() && height == getHeight())
    {
        resized();
        rack->repaint();
        return;
    }

    setBounds (getX(), getY(), width, height);

    auto* window = findParentComponentOfClass<ScaledPluginEditor>();
    if (window == nullptr)
    {
        rack->repaint();
        return;
    }

    ScaledPluginEditor::applyLimits (window->getScaleConstrainer(), width, height);
    window->setConstrainer (&window->getScaleConstrainer());

    const float scale = usableScale (dovreth->uiScale);
    window->setBounds (window->getX(), window->getY(), (int) ((float) width * scale), (int) ((float) height * scale));
    window->getContentHolder().setBounds (0, 0, (int) std::ceil ((float) window->getWidth() / scale),
                                          (int) std::ceil ((float) window->getHeight() / scale));
    rack->repaint();
}

void DovrethEditor::sideMenuAction (SideMenu::Commands command, void* argument)
{
    const int value = argument != nullptr ? *static_cast<const int*> (argument) : 0;

    switch (command)
    {
        case SideMenu::WindowScaleStep:
        {
            // Only a factor from the table is a step; anything else is no command at all.
            const float factor = scaleFactorForStep (value);
            if (factor <= 0.0f)
                break;
            if (auto* window = findParentComponentOfClass<ScaledPluginEditor>())
            {
                window->setBounds (window->getX(), window->getY(), (int) ((float) getWidth() * factor),
                                   (int) ((float) getHeight() * factor));
                dovreth->uiScale = factor;
            }
            break;
        }

        case SideMenu::About:
        {
            auto* dialog = new AlertBoxDialog();
            dialog->setTitle (juce::String ("About ") + productName);
            dialog->setMessage (aboutMessage (dovreth->wrapperType));
            showModalDialogTopCentred (dialog, 300, 300, 1);
            break;
        }

        case SideMenu::SaveOversampling:
            if (auto* settings = dovreth->appProperties.getUserSettings())
            {
                settings->setValue (SettingsKeys::oversampling, dovreth->oversampling->choice);
                settings->setValue (SettingsKeys::oversamplingType, dovreth->oversampling->type);
                settings->saveIfNeeded();
            }
            break;

        case SideMenu::ResetUIScale:
            if (auto* window = findParentComponentOfClass<ScaledPluginEditor>())
            {
                window->setBounds (window->getX(), window->getY(), getWidth(), getHeight());
                dovreth->uiScale = 1.0f;
            }
            if (auto* settings = dovreth->appProperties.getUserSettings())
                settings->setValue (SettingsKeys::uiScale, 1.0);
            break;

        case SideMenu::SaveUIScale:
            if (auto* settings = dovreth->appProperties.getUserSettings())
            {
                settings->setValue (SettingsKeys::uiScale, (double) dovreth->uiScale);
                settings->saveIfNeeded();
            }
            break;

        case SideMenu::Undo:
            if (dovreth->stateManager->canUndo())
                dovreth->stateManager->undo();
            deleteModuleEditors();
            rebuildModuleEditors();
            break;

        case SideMenu::Redo:
            if (dovreth->stateManager->canRedo())
                dovreth->stateManager->redo();
            deleteModuleEditors();
            rebuildModuleEditors();
            break;

        case SideMenu::EnableTooltips:
            dovreth->inlineHelp = ! dovreth->inlineHelp;
            if (helpTextVisor != nullptr)
                helpTextVisor->setVisible (dovreth->inlineHelp);
            if (auto* settings = dovreth->appProperties.getUserSettings())
            {
                settings->setValue (SettingsKeys::inlineHelp, dovreth->inlineHelp);
                settings->saveIfNeeded();
            }
            break;

        case SideMenu::OpenManual:
            // A manual that isn't there is handed over all the same: the browser says so.
            PlatformActions::get().openWebAddress (
                juce::URL (juce::File (PluginPaths::getResourcesDir ({}) + "Manual.pdf")));
            break;

        case SideMenu::SpecialDeals:
            PlatformActions::get().openWebAddress (
                juce::URL (juce::String (websiteHost) + specialDealsPath + "?p=" + PluginPaths::productId));
            break;

        case SideMenu::None:
        default:
            break;
    }
}

void DovrethEditor::presetBarChanged (PresetBar::PresetCommands command)
{
    const int code = (int) command;
    bool loaded = false;

    if (code >= PresetBar::firstPresetId)
    {
        deleteModuleEditors();
        dovreth->presetsManager->loadStateFromPreset (code - PresetBar::firstPresetId);
        loaded = true;
    }
    else if (code == PresetBar::removePreset || code == PresetBar::resetToDefault)
    {
        deleteModuleEditors();
        if (dovreth->stateManager->loadDefaultState)
            dovreth->stateManager->loadDefaultState();
        dovreth->presetsManager->currentPreset.reset();
        loaded = true;
    }
    else if (code == PresetBar::saveAsDefault)
    {
        juce::XmlElement state ("State");
        dovreth->saveStateToXml (&state);
        juce::MemoryBlock binary;
        juce::AudioProcessor::copyXmlToBinary (state, binary);
        if (auto* settings = dovreth->appProperties.getUserSettings())
        {
            settings->setValue (SettingsKeys::defaultState, binary.toBase64Encoding());
            settings->saveIfNeeded();
        }
    }

    if (loaded)
    {
        rebuildModuleEditors();
        dovreth->stateManager->saveToHistoricalStates();
    }

    if (presetBar != nullptr)
    {
        presetBar->updateFromCurrentPreset();
        presetBar->repaint();
    }
}
