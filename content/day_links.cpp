#include "content/day_links.h"

#include <array>

#include "content/offline_pages.h"
#include "content/site_url.h"

namespace gestalia {

namespace {

struct DayLinkRow {
    std::int32_t nDay;  // whole days since the first day of the last period
    std::string_view strPath;
    std::string_view strTitle;
    std::string_view strPage;  // its reading page among the offline pages
};

// In rising day order; the lookups take the first match.
constexpr std::array<DayLinkRow, kDayLinkCount> kDayLinks = {{
    {1, "/consejos-practicos/durante-el-embarazo", "Primeros consejos en el embarazo",
     "primeros-consejos.html"},
    {43, "/material-de-consulta/menu-embarazo/recursos", "Tienes muchos recursos a tu disposición",
     "recursos.html"},
    {47, "/material-de-consulta/menu-embarazo/documentos/76-guias-de-cuidados-en-el-embarazo",
     "Guías y cuidados para el embarazo", "guias-y-cuidados.html"},
    {53, "/material-de-consulta/menu-embarazo/documentos/206-pruebas-en-el-embarazo",
     "Pruebas que te van a hacer en el embarazo", "pruebas.html"},
    {58, "/material-de-consulta/menu-embarazo/documentos/242-listeriosis-y-toxoplasmosis",
     "Cuidado con la listeriosis y la toxoplasmosis", "listeriosis-y-toxoplasmosis.html"},
    {62, "/material-de-consulta/menu-embarazo/documentos/93-consejos-de-nutricion-en-el-embarazo",
     "Consejos de nutrición en el embarazo", "nutricion.html"},
    {65,
     "/material-de-consulta/menu-embarazo/documentos/"
     "199-videos-sobre-los-cambios-en-el-embarazo",
     "Vídeos que te enseñan los cambios en el embarazo", "cambios-en-el-embarazo.html"},
    {73, "/material-de-consulta/menu-embarazo/documentos/252-legislacion",
     "Infórmate de tus derechos", "derechos.html"},
    {81, "/material-de-consulta/menu-embarazo/documentos/220-formacion-del-bebe",
     "Aprende cómo se va formando el bebé", "formacion-del-bebe.html"},
    {86,
     "/material-de-consulta/menu-embarazo/documentos/"
     "200-desarrollo-emocional-intelectual-y-sensorial-del-nino-intrautero",
     "Desarrollo emocional del bebé", "desarrollo-emocional.html"},
    {94, "/material-de-consulta/menu-embarazo/enlaces-web", "Enlaces web interesantes",
     "enlaces-web.html"},
    {103, "/material-de-consulta/menu-embarazo/documentos/249-sexualidad-en-el-embarazo",
     "La sexualidad en el embarazo", "sexualidad.html"},
    {119, "/educacion-maternal-y-posparto/preparacion-fisica-y-mental-online",
     "Prepárate física y psicológicamente para el parto", "preparacion-fisica-y-mental.html"},
    {125, "/educacion-maternal-y-posparto/educacion-maternal-online/introduccion",
     "Comienza nuestra educación maternal on-line", "educacion-maternal.html"},
    {126,
     "/educacion-maternal-y-posparto/educacion-maternal-online/"
     "sesion-1-cambios-en-el-embarazo",
     "Sesión 1: conoce los cambios en el embarazo", "sesion-1.html"},
    {133,
     "/educacion-maternal-y-posparto/educacion-maternal-online/"
     "sesion-2-cuidados-durante-el-embarazo",
     "Sesión 2: cuidados en el embarazo", "sesion-2.html"},
    {140, "/educacion-maternal-y-posparto/educacion-maternal-online/sesion-3-gimnasia-y-relajacion",
     "Sesión 3: gimnasia y relajación", "sesion-3.html"},
    {147,
     "/educacion-maternal-y-posparto/educacion-maternal-online/"
     "sesion-4-cuidados-del-suelo-pelvico",
     "Sesión 4: cuidados del suelo pélvico", "sesion-4.html"},
    {154, "/educacion-maternal-y-posparto/educacion-maternal-online/sesion-5-proceso-del-parto",
     "Sesión 5: proceso del parto", "sesion-5.html"},
    {161, "/educacion-maternal-y-posparto/educacion-maternal-online/sesion-6-posparto",
     "Sesión 6: posparto", "sesion-6.html"},
    {168, "/educacion-maternal-y-posparto/educacion-maternal-online/sesion-7-lactancia",
     "Sesión 7: la lactancia", "sesion-7.html"},
    {175, "/educacion-maternal-y-posparto/educacion-maternal-online/sesion-8-recien-nacido",
     "Sesión 8: el recién nacido", "sesion-8.html"},
    {176, "/educacion-maternal-y-posparto/educacion-maternal-online/diploma-final",
     "¡Enhorabuena! Ya puedes rellenar tu diploma", "diploma.html"},
    {177, "/preguntas-frecuentes/mandanos-tu-pregunta", "No te quedes con dudas consúltalas",
     "dudas.html"},
    {181, "/consejos-practicos/de-preparacion-del-parto", "¿Cómo nos preparamos para el parto?",
     "preparacion-del-parto.html"},
    {184, "/material-de-consulta/parto/doc-parto/222-recomendaciones-en-un-parto-normal",
     "Recomendaciones para un parto feliz", "parto-normal.html"},
    {185, "/material-de-consulta/parto/doc-parto/253-aliviar-el-dolor-en-el-parto",
     "Cómo aliviar el dolor en el parto", "alivio-del-dolor.html"},
    {189, "/material-de-consulta/parto/doc-parto/113-atencion-al-parto-normal-y-tipos-de-parto",
     "Guías de atención al parto y tipos de parto", "tipos-de-parto.html"},
    {194, "/material-de-consulta/parto/rec-parto/114-plan-de-parto-y-nacimiento",
     "No olvides hacer un plan de parto es muy útil", "plan-de-parto.html"},
    {200, "/material-de-consulta/parto/rec-parto/89-donacion-de-la-sangre-del-cordon-umbilical",
     "Donación de la sangre del cordón umbilical", "sangre-del-cordon.html"},
    {205, "/material-de-consulta/parto/en-parto", "Enlaces interesantes para el parto",
     "enlaces-parto.html"},
    {216, "/material-de-consulta/postparto/recursos/80-tramites-nacimiento-de-un-hijo-en-espana",
     "Trámites a realizar para un nuevo bebé", "tramites.html"},
}};

constexpr bool KeysRise() {
    for (std::size_t i = 1; i < kDayLinks.size(); ++i) {
        if (kDayLinks[i].nDay <= kDayLinks[i - 1].nDay) {
            return false;
        }
    }
    return true;
}
static_assert(KeysRise(), "day links must stand in rising day order");

const DayLinkRow* FindRow(std::int32_t day) {
    for (const DayLinkRow& row : kDayLinks) {
        if (row.nDay == day) {
            return &row;
        }
    }
    return nullptr;
}

// The first row of the pregnancy week that holds `day` (weeks start every
// seventh day from day 0, counted as the tip weeks are, so days -6 to -1
// belong to week 0), else the last row before that week; none when the table
// has neither.
const DayLinkRow* FindWeekRow(std::int32_t day) {
    const std::int64_t start = static_cast<std::int64_t>(day / 7) * 7;
    const DayLinkRow* before = nullptr;
    for (const DayLinkRow& row : kDayLinks) {
        if (row.nDay >= start && row.nDay < start + 7) {
            return &row;
        }
        if (row.nDay < start) {
            before = &row;
        }
    }
    return before;
}

CDayLink MakeLink(const DayLinkRow& row) {
    CDayLink link;
    link.strUrl.reserve(SiteBaseUrl().size() + row.strPath.size());
    link.strUrl.append(SiteBaseUrl()).append(row.strPath);
    link.strTitle = row.strTitle;
    return link;
}

}  // namespace

std::string_view SiteBaseUrl() {
    return GESTALIA_SITE_URL;
}

bool HasDayLink(std::int32_t day) {
    return FindRow(day) != nullptr;
}

std::optional<CDayLink> FindDayLink(std::int32_t day) {
    const DayLinkRow* row = FindRow(day);
    if (row == nullptr) {
        return std::nullopt;
    }
    return MakeLink(*row);
}

std::optional<std::string_view> OfflinePageFor(std::string_view url) {
    const std::string_view base = SiteBaseUrl();
    if (!url.starts_with(base)) {
        return std::nullopt;
    }
    const std::string_view path = url.substr(base.size());
    if (path.empty() || path == "/") {
        return kHomePage;
    }
    for (const DayLinkRow& row : kDayLinks) {
        if (row.strPath == path) {
            return row.strPage;
        }
    }
    return std::nullopt;
}

std::optional<CDayLink> FindWeekLink(std::int32_t day) {
    const DayLinkRow* row = FindWeekRow(day);
    if (row == nullptr) {
        return std::nullopt;
    }
    return MakeLink(*row);
}

}  // namespace gestalia
