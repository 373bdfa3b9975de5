#include "editor/ModuleEditor.h"

#include "editor/ModuleControlAttachment.h"
#include "framework/ModuleProcessor.h"
#include "ui/Control.h"
#include "ui/RectShapeDrawer.h"

ModuleEditor::ModuleEditor (std::shared_ptr<ModuleProcessor> moduleToShow, RackEditor* rackEditor)
    : module (std::atomic_load (&moduleToShow)),
      rack (rackEditor)
{
    if (module != nullptr)
        itemWidth = module->panelWidth;
}

ModuleEditor::~ModuleEditor()
{
    // Attachments listen to the controls, so they go before the controls do.
    attachments.clear();
    controlsById.clear();
    controls.clear();
    shapes.clear();
}
