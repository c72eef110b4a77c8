#include "catalogue/officialwording.h"

#include "catalogue/marks.h"
#include "catalogue/translation.h"

namespace {

constexpr int kDefaultAdditiveCount = 12;

// One language's wording. The allergens are in the order of marks.h (A B C
// D E F G H L M N O P R), which is the order of the annex; each name is the
// annex's heading of its entry, without "and products thereof" and without
// the list of species or exceptions that follows it. The additives are in
// the order of DefaultAdditives() and are menu wording: what a card says in
// that language for the German indication, not a legal text.
struct Wording {
    const char *language; // primary subtag
    const char16_t *allergens[kAllergenCount];
    const char16_t *additives[kDefaultAdditiveCount];
};

const Wording kWording[] = {
    {"en",
     {u"Cereals containing gluten", u"Crustaceans", u"Eggs", u"Fish", u"Peanuts", u"Soybeans",
      u"Milk", u"Nuts", u"Celery", u"Mustard", u"Sesame seeds", u"Sulphur dioxide and sulphites",
      u"Lupin", u"Molluscs"},
     {u"with colouring", u"with preservative", u"with antioxidant", u"with flavour enhancer",
      u"sulphurised", u"blackened", u"waxed", u"with phosphate", u"with sweetener",
      u"contains a source of phenylalanine", u"contains caffeine", u"contains quinine"}},
    {"fr",
     {u"Céréales contenant du gluten", u"Crustacés", u"Œufs", u"Poissons", u"Arachides",
      u"Soja", u"Lait", u"Fruits à coque", u"Céleri", u"Moutarde", u"Graines de sésame",
      u"Anhydride sulfureux et sulfites", u"Lupin", u"Mollusques"},
     {u"avec colorant", u"avec conservateur", u"avec antioxydant", u"avec exhausteur de goût",
      u"soufré", u"noirci", u"ciré", u"avec phosphate", u"avec édulcorant",
      u"contient une source de phénylalanine", u"contient de la caféine",
      u"contient de la quinine"}},
    {"nl",
     {u"Glutenbevattende granen", u"Schaaldieren", u"Eieren", u"Vis", u"Aardnoten", u"Soja",
      u"Melk", u"Noten", u"Selderij", u"Mosterd", u"Sesamzaad", u"Zwaveldioxide en sulfieten",
      u"Lupine", u"Weekdieren"},
     {u"met kleurstof", u"met conserveermiddel", u"met antioxidant", u"met smaakversterker",
      u"gezwaveld", u"gezwart", u"gewast", u"met fosfaat", u"met zoetstof",
      u"bevat een bron van fenylalanine", u"bevat cafeïne", u"bevat kinine"}},
    {"sv",
     {u"Spannmål som innehåller gluten", u"Kräftdjur", u"Ägg", u"Fisk", u"Jordnötter",
      u"Sojabönor", u"Mjölk", u"Nötter", u"Selleri", u"Senap", u"Sesamfrön",
      u"Svaveldioxid och sulfiter", u"Lupin", u"Blötdjur"},
     {u"med färgämne", u"med konserveringsmedel", u"med antioxidationsmedel",
      u"med smakförstärkare", u"svavlad", u"svärtad", u"vaxad", u"med fosfat",
      u"med sötningsmedel", u"innehåller en fenylalaninkälla", u"innehåller koffein",
      u"innehåller kinin"}},
    {"it",
     {u"Cereali contenenti glutine", u"Crostacei", u"Uova", u"Pesce", u"Arachidi", u"Soia",
      u"Latte", u"Frutta a guscio", u"Sedano", u"Senape", u"Semi di sesamo",
      u"Anidride solforosa e solfiti", u"Lupini", u"Molluschi"},
     {u"con colorante", u"con conservante", u"con antiossidante", u"con esaltatore di sapidità",
      u"solforato", u"annerito", u"cerato", u"con fosfato", u"con edulcorante",
      u"contiene una fonte di fenilalanina", u"contiene caffeina", u"contiene chinino"}},
    {"es",
     {u"Cereales que contengan gluten", u"Crustáceos", u"Huevos", u"Pescado", u"Cacahuetes",
      u"Soja", u"Leche", u"Frutos de cáscara", u"Apio", u"Mostaza", u"Granos de sésamo",
      u"Dióxido de azufre y sulfitos", u"Altramuces", u"Moluscos"},
     {u"con colorante", u"con conservante", u"con antioxidante", u"con potenciador del sabor",
      u"sulfitado", u"ennegrecido", u"encerado", u"con fosfato", u"con edulcorante",
      u"contiene una fuente de fenilalanina", u"contiene cafeína", u"contiene quinina"}},
    {"pl",
     {u"Zboża zawierające gluten", u"Skorupiaki", u"Jaja", u"Ryby",
      u"Orzeszki ziemne (arachidowe)", u"Soja", u"Mleko", u"Orzechy", u"Seler", u"Gorczyca",
      u"Nasiona sezamu", u"Dwutlenek siarki i siarczyny", u"Łubin", u"Mięczaki"},
     {u"z barwnikiem", u"z konserwantem", u"z przeciwutleniaczem", u"ze wzmacniaczem smaku",
      u"siarkowany", u"czerniony", u"woskowany", u"z fosforanem", u"ze słodzikiem",
      u"zawiera źródło fenyloalaniny", u"zawiera kofeinę", u"zawiera chininę"}},
    // Turkish is not a language of the EU regulation: the allergen names are
    // those of the Turkish Food Codex regulation on food labelling and
    // consumer information (its annex of substances causing allergies or
    // intolerances), which follows the EU annex entry for entry.
    {"tr",
     {u"Gluten içeren tahıllar", u"Kabuklular", u"Yumurta", u"Balık", u"Yer fıstığı",
      u"Soya", u"Süt", u"Sert kabuklu meyveler", u"Kereviz", u"Hardal", u"Susam tohumu",
      u"Kükürt dioksit ve sülfitler", u"Acı bakla", u"Yumuşakçalar"},
     {u"renklendiricili", u"koruyuculu", u"antioksidanlı", u"aroma artırıcılı",
      u"kükürtlenmiş", u"karartılmış", u"mumlanmış", u"fosfatlı", u"tatlandırıcılı",
      u"fenilalanin kaynağı içerir", u"kafein içerir", u"kinin içerir"}},
    {"da",
     {u"Glutenholdige kornprodukter", u"Krebsdyr", u"Æg", u"Fisk", u"Jordnødder", u"Sojabønner",
      u"Mælk", u"Nødder", u"Selleri", u"Sennep", u"Sesamfrø", u"Svovldioxid og sulfitter",
      u"Lupin", u"Bløddyr"},
     {u"med farvestof", u"med konserveringsmiddel", u"med antioxidant", u"med smagsforstærker",
      u"svovlet", u"sortet", u"vokset", u"med fosfat", u"med sødestof",
      u"indeholder en phenylalaninkilde", u"indeholder koffein", u"indeholder kinin"}},
};

QString primarySubtag(const QString &language)
{
    return language.section(QLatin1Char('-'), 0, 0).toLower();
}

const Wording *wordingOf(const QString &lang)
{
    for (const Wording &w : kWording)
        if (lang == QLatin1String(w.language))
            return &w;
    return nullptr;
}

} // namespace

QString OfficialAllergenName(int i, const QString &language)
{
    if (i < 0 || i >= kAllergenCount)
        return {};
    const QString lang = primarySubtag(language);
    if (lang == QLatin1String("de"))
        return AllergenName(i);
    const Wording *w = wordingOf(lang);
    return w ? QString::fromUtf16(w->allergens[i]) : QString();
}

QString ShippedAdditiveText(const QString &german, const QString &language)
{
    const int n = DefaultAdditives().indexOf(german);
    if (n < 0 || n >= kDefaultAdditiveCount)
        return {};
    const QString lang = primarySubtag(language);
    if (lang == QLatin1String("de"))
        return german;
    const Wording *w = wordingOf(lang);
    return w ? QString::fromUtf16(w->additives[n]) : QString();
}

QStringList ShippedWordingLanguages()
{
    QStringList out{QStringLiteral("de")};
    for (const Wording &w : kWording)
        out << QLatin1String(w.language);
    return out;
}

QString AdditiveWording(const MarkSettings &marks, int index, const QString &language, bool *shipped)
{
    if (shipped)
        *shipped = false;
    if (index < 0 || index >= marks.additives.size())
        return {};
    const QString own = marks.additiveTranslations.value(index);
    if (IsTranslated(own))
        return own;
    const QString w = ShippedAdditiveText(marks.additives.at(index), language);
    if (shipped)
        *shipped = !w.isEmpty();
    return w;
}
