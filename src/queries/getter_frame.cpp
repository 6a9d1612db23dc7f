#include "queries/getter_frame.h"

#include "fetch/gethtml.h"
#include "platform/tregexp.h"
#include "queries/result_texts.h"

namespace tolvera {

QString runGetter(const GetterRecipe &recipe, const QString &input) {
    try {
        return cutFromPage(
            recipe, getHTML(recipe.address(input), QString::fromUtf16(recipe.charset)), input);
    } catch (...) {
        return QString::fromUtf16(recipe.errorText);
    }
}

QString cutFromPage(const GetterRecipe &recipe, const QString &page, const QString &input) {
    try {
        TRegExp re;
        re.Global = true;
        re.Multiline = true;
        re.Pattern = recipe.pattern(input);
        re.IgnoreCase = true;
        if (!re.Test(page))
            return QString::fromUtf16(kNotFound);
        return recipe.cut(re.Execute(page).Item(recipe.item).Value(), input);
    } catch (...) {
        return QString::fromUtf16(recipe.errorText);
    }
}

} // namespace tolvera
