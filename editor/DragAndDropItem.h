#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class DragAndDropRack;

// A rack item that can be picked up by its grip area and dragged along the rack.
// While it is dragged a translucent snapshot follows the pointer, tinted when the
// item is outside the rack.
class DragAndDropItem : public juce::Component
{
public:
    enum class DraggingState
    {
        none = 0,
        outsideRack = 1,
        insideRack = 2,
        fixed = 4
    };

    DragAndDropItem() = default;
    ~DragAndDropItem() override = default;

    // The index of the rack parameter a child component stands for; items have none.
    virtual int getRackParamIndex (juce::Component* component);
    virtual void onTimer() = 0;

    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;

    // Re-renders the image being dragged for a new state.
    void setDraggingState (juce::DragAndDropContainer* container, DraggingState state);

    // The rack this item stands in, or null while it has no rack parent.
    DragAndDropRack* getRack() const;

    juce::String description;
    int itemWidth = 0;
    int grabX = 0;
    juce::Rectangle<int> dragArea;
    DraggingState draggingState = DraggingState::none;
    bool isOutsideRack = false;
    bool isDragging = false;

private:
    // The item's picture at its display scale, every pixel at 80 % of its alpha.
    juce::Image makeDragImage (bool clipToItem, bool tinted) const;

    JUCE_DECLARE_NON_COPYABLE (DragAndDropItem)
};
