#include "elements/ValueChecks.h"

#include "foundation/Localization.h"

namespace quillora {

String FormatMessageText(int stringId, const std::vector<String>& args)
{
    std::vector<String> safe;
    safe.reserve(args.size());
    for (const String& a : args) safe.push_back(SanitizeMessageArgument(a));
    return FormatText(LoadString(stringId), safe);
}

TElementMessage* AddElementMessage(TElementMessages& messages, uint8_t kind, int stringId, int32_t elementId,
                                   const std::vector<String>& args)
{
    return messages.AddMessage(kind, FormatMessageText(stringId, args), IntToString(elementId));
}

TElementMessage* AddLoadReport(TElementMessages& messages, int stringId, const std::vector<String>& args)
{
    return messages.AddPlainMessage(mkWarning, FormatMessageText(stringId, args));
}

} // namespace quillora
