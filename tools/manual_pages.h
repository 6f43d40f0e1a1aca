#pragma once
// What gestalia and gestalia-tool say about themselves: the manual pages
// gestalia(1) and gestalia-tool(1), and from the same data the tool's --help
// and the descriptions its argument parser knows the commands by.

#include <array>
#include <string>
#include <string_view>

#include "tools/manual_page.h"

namespace gestalia {

struct ToolCommandDoc {
    std::string_view name;       // "check"
    std::string_view arguments;  // "FICHERO"
    std::string_view summary;    // one line
    std::string_view text;       // the whole explanation
};

// In the order --help lists them.
inline constexpr std::array<ToolCommandDoc, 7> kToolCommands{{
    {"dump", "FICHERO", "Muestra la agenda en JSON",
     "Muestra la agenda en JSON: la fecha de la última regla (lastPeriod) y las notas "
     "(items), cada una con su número, su texto, sus fechas de inicio y fin, su icono y su "
     "peso en kilogramos; si la agenda guarda algo más (la ecografía, el nacimiento), "
     "también el objeto extension tal como está."},
    {"check", "FICHERO", "Comprueba que la agenda se puede leer",
     "Comprueba que la agenda se puede leer, también su bloque de extensión. Escribe OK, o "
     "una sola línea con el nombre del fichero, el byte en el que empieza el daño y qué está "
     "mal."},
    {"export-csv", "FICHERO", "Exporta las notas en CSV",
     "Exporta las notas en CSV con las columnas fecha, texto y peso_kg, con las líneas "
     "terminadas en CRLF."},
    {"export-ics", "FICHERO", "Exporta las notas a un calendario (iCalendar)",
     "Exporta las notas y la fecha probable de parto en iCalendar (RFC 5545), el formato "
     "que leen los programas de calendario: un evento por nota, con su primera línea como "
     "título y todo su texto, el peso y los datos de la visita como descripción, y la fecha "
     "probable de parto como evento de todo el día. Las horas son locales, como las guarda "
     "la agenda. Dos exportaciones de la misma agenda dan los mismos identificadores, así que "
     "importarla otra vez no repite las notas. Una nota sin fecha válida no se exporta y se "
     "avisa en la salida de errores."},
    {"informe", "FICHERO", "Escribe el informe para la matrona en HTML",
     "Escribe en HTML el informe para llevar a las visitas: la última regla, la fecha "
     "probable de parto y cómo se ha fechado, las semanas de hoy, el IMC antes del embarazo "
     "con la ganancia de peso recomendada (IOM 2009), la gráfica del peso, la tabla de las "
     "visitas y todas las notas por fecha. La página no carga nada de la red y se imprime "
     "en A4."},
    {"timeline", "REGLA [DÍA]", "Textos de estado del embarazo",
     "Escribe los tres textos de estado: la fecha probable de parto, los días que quedan y "
     "las semanas de embarazo, para el DÍA elegido o, sin él, para hoy. REGLA es el primer "
     "día de la última regla. Las fechas se escriben AAAA-MM-DD."},
    {"datacion", "FUR FECHA_ECO LCC_MM", "Datación por la primera ecografía",
     "Compara la edad de gestación por la última regla (FUR) con la de la ecografía del día "
     "FECHA_ECO por su longitud cráneo-caudal LCC_MM en milímetros (de 15 a 95; "
     "INTERGROWTH-21st) y dice si la ecografía cambia la fecha de parto (margen del Comité "
     "ACOG 700). Escribe un objeto JSON con gaLastPeriodDays, gaScanDays, differenceDays, "
     "thresholdDays, redated y dueDate."},
}};

// gestalia-tool(1); its help leaves out only the cross references.
ManualPage ToolManual();
// gestalia(1).
ManualPage ProgramManual();

// "gestalia-tool check --help": the usage line and the explanation of one command.
std::string CommandHelpText(const ToolCommandDoc& command);

}  // namespace gestalia
