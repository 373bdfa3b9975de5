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
    // The controls go first; an attachment that outlives its control leaves it alone.
    controlsById.clear();
    controls.clear();
    attachments.clear();
    shapes.clear();
}
