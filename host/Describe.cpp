#include "host/Describe.h"

#include <cstdio>
#include <sstream>

namespace tarnello::host
{
namespace
{
std::string hex32 (uint32_t value)
{
    char text[16];
    std::snprintf (text, sizeof (text), "0x%08X", value);
    return text;
}

bool isFourCharCode (uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
    {
        const auto c = static_cast<unsigned char> (value >> shift);
        if (c < 0x20 || c > 0x7E)
            return false;
    }
    return true;
}

std::string fourCharCode (uint32_t value)
{
    std::string text = "'";
    for (int shift = 24; shift >= 0; shift -= 8)
        text += static_cast<char> (value >> shift);
    return text + "'";
}

std::string value (int32_t v)
{
    const auto u = static_cast<uint32_t> (v);
    if (v >= 0 && v < 0x10000)
        return std::to_string (v);
    if (isFourCharCode (u))
        return fourCharCode (u);
    return hex32 (u);
}

std::string quoted (const std::vector<std::string>& texts)
{
    std::string result;
    for (const auto& text : texts)
        result += (result.empty() ? "\"" : " \"") + text + "\"";
    return result;
}

const int32_t* property (const ComponentRecord& component, uint32_t id)
{
    for (const auto& proc : component.processProcs)
        if (const int32_t* v = proc.properties.find (id))
            return v;
    return nullptr;
}
} // namespace

std::string describeFields (const ComponentRecord& component)
{
    std::string text;
    for (const auto& field : component.fields)
    {
        if (! text.empty())
            text += ' ';
        text += std::to_string (field.field) + ":" + field.kind;
        if (! field.args.empty() || ! field.text.empty())
        {
            text += '(';
            bool first = true;
            for (const auto arg : field.args)
            {
                text += (first ? "" : ",") + (field.kind == "AuxOutputStem" || field.kind == "Meters" ? value (static_cast<int32_t> (arg))
                                                                                                     : std::to_string (arg));
                first = false;
            }
            if (! field.text.empty())
                text += (first ? "\"" : ",\"") + field.text + "\"";
            text += ')';
        }
    }
    return text;
}

std::string describeProperties (const PropertySnapshot& properties)
{
    std::string text;
    for (const auto& [id, v] : properties.values)
    {
        const bool isStemFormat = id == AAX::kProperty_InputStemFormat || id == AAX::kProperty_OutputStemFormat;
        text += (text.empty() ? "" : " ") + std::to_string (id) + "=" + (isStemFormat ? hex32 (static_cast<uint32_t> (v)) : value (v));
    }
    for (const auto& [id, p] : properties.pointers)
        text += (text.empty() ? "" : " ") + std::to_string (id) + "=" + (p != nullptr ? "<pointer>" : "<null>");
    return text;
}

void printDescription (std::ostream& out, const CollectionRecord& collection)
{
    for (const auto& effect : collection.effects)
    {
        out << "effect " << effect.effectID << '\n';
        out << "names " << quoted (effect.names) << '\n';
        out << "category";
        for (const auto category : effect.categories)
            out << ' ' << hex32 (category);
        out << '\n';
        out << "procedures";
        for (const auto& [pointer, id] : effect.procPtrs)
            out << ' ' << id << (pointer != nullptr ? "" : "(null)");
        out << '\n';
        out << "meters " << effect.meters.size() << '\n';
        for (const auto& meter : effect.meters)
            out << "  meter " << value (static_cast<int32_t> (meter.id)) << " \"" << meter.name << "\" "
                << describeProperties (meter.properties) << '\n';
        out << "resources " << effect.resources.size() << '\n';
        for (const auto& [type, info] : effect.resources)
            out << "  resource " << type << " \"" << info << "\"\n";
        out << "components " << effect.components.size() << '\n';

        int index = 0;
        for (const auto& component : effect.components)
        {
            const int32_t* in = property (component, 51);
            const int32_t* outFormat = property (component, 52);
            out << "component " << ++index << ": in " << (in != nullptr ? hex32 (static_cast<uint32_t> (*in)) : "?") << " out "
                << (outFormat != nullptr ? hex32 (static_cast<uint32_t> (*outFormat)) : "?") << " fields " << describeFields (component);
            for (const auto& proc : component.processProcs)
                out << " | " << (proc.native ? "native" : "offload") << (proc.processProc != nullptr || ! proc.native ? "" : "(null)")
                    << " properties " << describeProperties (proc.properties);
            out << '\n';
        }
    }
    out << "manufacturer " << collection.manufacturerName << '\n';
    out << "packages " << quoted (collection.packageNames) << " version "
        << (collection.hasPackageVersion ? hex32 (collection.packageVersion) : std::string ("none")) << '\n';
}
} // namespace tarnello::host
