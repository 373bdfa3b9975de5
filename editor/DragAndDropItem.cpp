#include "editor/DragAndDropItem.h"

#include "editor/DragAndDropRack.h"

namespace
{
constexpr float dragImageAlpha = 0.8f;
constexpr juce::uint32 outsideFillColour = 0x15ee4422;
constexpr juce::uint32 outsideOutlineColour = 0x88ee4422;
constexpr int autoScrollBorder = 50;
constexpr int autoScrollMaxSpeed = 60;
} // namespace

int DragAndDropItem::getRackParamIndex (juce::Component*)
{
    return -1;
}

DragAndDropRack* DragAndDropItem::getRack() const
{
    return dynamic_cast<DragAndDropRack*> (getParentComponent());
}

void DragAndDropItem::mouseDown (const juce::MouseEvent& e)
{
    if (! e.mods.isLeftButtonDown())
        return;

    grabX = e.getPosition().x;
    isDragging = false;
    mouseDrag (e);
}

void DragAndDropItem::mouseDrag (const juce::MouseEvent& e)
{
    auto* rack = getRack();

    if (rack == nullptr || rack->settings == nullptr || ! rack->settings->dragEnabled)
        return;

    if (! e.mods.isLeftButtonDown())
        return;

    isDragging = true;
    const auto position = e.getPosition();

    if (auto* container = juce::DragAndDropContainer::findParentDragContainerFor (this))
    {
        if (container->isDragAndDropActive())
        {
            if (draggingState != DraggingState::fixed)
                setDraggingState (container, isOutsideRack ? DraggingState::outsideRack : DraggingState::insideRack);
        }
        else if (dragArea.contains (position))
        {
            setMouseCursor (juce::MouseCursor::DraggingHandCursor);

            if (description.isEmpty())
                description = "_moduleItem_" + juce::String (rack->getIdentity());

            // Keeps the point where the item was grabbed under the pointer.
            const juce::Point<int> offset (-position.x, -position.y);
            container->startDragging (description, this, juce::ScaledImage (makeDragImage (true, false), 1.0),
                                      false, &offset, &e.source);

            if (e.mods.isAltDown())
                setDraggingState (container, DraggingState::fixed);
        }
    }

    if (auto* viewport = rack->viewport)
    {
        const auto inViewport = viewport->getLocalPoint (this, position);
        viewport->autoScroll (inViewport.x, inViewport.y, autoScrollBorder, autoScrollMaxSpeed);
    }
}

void DragAndDropItem::mouseUp (const juce::MouseEvent&)
{
    // The rack hides the item while it is dragged over it; one dropped outside
    // stays hidden, since the rack may be about to remove it.
    if (isDragging && ! isOutsideRack)
        setVisible (true);

    setMouseCursor (juce::MouseCursor::NormalCursor);
    draggingState = DraggingState::none;
    isDragging = false;
}

void DragAndDropItem::setDraggingState (juce::DragAndDropContainer* container, DraggingState state)
{
    if (state == draggingState)
        return;

    draggingState = state;

    // A drag that never started (the pointer was not really held) has no image to replace.
    if (container != nullptr && container->isDragAndDropActive())
        container->setCurrentDragImage (juce::ScaledImage (makeDragImage (false, state == DraggingState::outsideRack), 1.0));
}

juce::Image DragAndDropItem::makeDragImage (bool clipToItem, bool tinted) const
{
    const auto scale = juce::Component::getApproximateScaleFactorForComponent (this);
    auto image = const_cast<DragAndDropItem*> (this)
                     ->createComponentSnapshot (getLocalBounds(), clipToItem, scale)
                     .convertedToFormat (juce::Image::ARGB);

    if (tinted && image.isValid())
    {
        juce::Graphics g (image);
        const auto area = getLocalBounds().toFloat() * scale;
        g.setColour (juce::Colour (outsideFillColour));
        g.fillRect (area);
        g.setColour (juce::Colour (outsideOutlineColour));
        g.drawRect (area, 1.0f);
    }

    image.multiplyAllAlphas (dragImageAlpha);
    return image;
}
