// QorUtil routines over string lists.
#include "QorUtilText.h"

namespace QorUtil {

void SplitString(const String& sep, const String& s, TStrings* sl)
{
    if (!sl) return;
    if (sep.empty()) {
        sl->Add(s);
        return;
    }
    size_t Start = 0;
    for (;;) {
        size_t p = s.find(sep, Start);
        if (p == String::npos) break;
        sl->Add(s.substr(Start, p - Start));
        Start = p + 1;   // only the separator's first character is consumed
    }
    sl->Add(s.substr(Start));
}

String StringListToText(TStrings* st)
{
    String r;
    if (!st) return r;
    for (int i = 0; i < st->Count(); ++i) r += st->Get(i);
    return r;
}

}  // namespace QorUtil
