#include "aax/AAX_VPageTable.h"

AAX_VPageTable::AAX_VPageTable (IACFUnknown* pageTableUnknown)
{
    if (pageTableUnknown == nullptr)
        return;

    mPageTableV1.query (pageTableUnknown, IID_IAAXPageTableV1);
    mPageTableV2.query (pageTableUnknown, IID_IAAXPageTableV2);
}

AAX_VPageTable::~AAX_VPageTable() = default;

AAX_Result AAX_VPageTable::Clear()
{
    return mPageTableV1 ? mPageTableV1->Clear() : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::Empty (AAX_CBoolean* outEmpty) const
{
    return mPageTableV1 ? mPageTableV1->Empty (outEmpty) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::GetNumPages (int32_t* outNumPages) const
{
    return mPageTableV1 ? mPageTableV1->GetNumPages (outNumPages) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::InsertPage (int32_t page)
{
    return mPageTableV1 ? mPageTableV1->InsertPage (page) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::RemovePage (int32_t page)
{
    return mPageTableV1 ? mPageTableV1->RemovePage (page) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::GetNumMappedParameterIDs (int32_t page, int32_t* outNumParameterIDs) const
{
    return mPageTableV1 ? mPageTableV1->GetNumMappedParameterIDs (page, outNumParameterIDs) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::ClearMappedParameter (int32_t page, int32_t slot)
{
    return mPageTableV1 ? mPageTableV1->ClearMappedParameter (page, slot) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::GetMappedParameterID (int32_t page, int32_t slot, AAX_IString* outParameterID) const
{
    return mPageTableV1 ? mPageTableV1->GetMappedParameterID (page, slot, outParameterID) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::MapParameterID (AAX_CParamID parameterID, int32_t page, int32_t slot)
{
    return mPageTableV1 ? mPageTableV1->MapParameterID (parameterID, page, slot) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::GetNumParametersWithNameVariations (int32_t* outNumParameters) const
{
    return mPageTableV2 ? mPageTableV2->GetNumParametersWithNameVariations (outNumParameters) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::GetNameVariationParameterIDAtIndex (int32_t index, AAX_IString* outParameterID) const
{
    return mPageTableV2 ? mPageTableV2->GetNameVariationParameterIDAtIndex (index, outParameterID)
                        : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::GetNumNameVariationsForParameter (AAX_CParamID parameterID, int32_t* outNumVariations) const
{
    return mPageTableV2 ? mPageTableV2->GetNumNameVariationsForParameter (parameterID, outNumVariations)
                        : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::GetParameterNameVariationAtIndex (AAX_CParamID parameterID, int32_t index,
                                                             AAX_IString* outName, int32_t* outLength) const
{
    return mPageTableV2 ? mPageTableV2->GetParameterNameVariationAtIndex (parameterID, index, outName, outLength)
                        : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::GetParameterNameVariationOfLength (AAX_CParamID parameterID, int32_t length,
                                                              AAX_IString* outName) const
{
    return mPageTableV2 ? mPageTableV2->GetParameterNameVariationOfLength (parameterID, length, outName)
                        : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::ClearParameterNameVariations()
{
    return mPageTableV2 ? mPageTableV2->ClearParameterNameVariations() : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::ClearNameVariationsForParameter (AAX_CParamID parameterID)
{
    return mPageTableV2 ? mPageTableV2->ClearNameVariationsForParameter (parameterID) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::SetParameterNameVariation (AAX_CParamID parameterID, const AAX_IString& name,
                                                      int32_t length)
{
    return mPageTableV2 ? mPageTableV2->SetParameterNameVariation (parameterID, name, length)
                        : AAX_ERROR_UNIMPLEMENTED;
}
