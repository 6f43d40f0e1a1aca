#include "tools/manual_pages.h"

namespace gestalia {

namespace {

constexpr std::string_view kTool = "gestalia-tool";

ManualSection ExitCodes() {
    return {"ESTADO DE SALIDA",
            "Estado de salida",
            "",
            {{"0", "Todo ha ido bien."},
             {"1", "La agenda no se puede leer o está dañada."},
             {"2",
              "Los argumentos no valen: falta la orden o es desconocida, falta o sobra un "
              "argumento, o una fecha no es válida."}}};
}

}  // namespace

ManualPage ToolManual() {
    ManualPage page;
    page.name = kTool;
    page.summary = "examina, comprueba y exporta las agendas de Gestalia";
    page.synopsis = {std::string(kTool) + " ORDEN [ARGUMENTOS]",
                     std::string(kTool) + " [ORDEN] --help", std::string(kTool) + " --version"};
    page.description =
        "gestalia-tool trabaja desde la línea de órdenes con los ficheros de agenda (.gst) de "
        "Gestalia: muestra su contenido, comprueba que se pueden leer, exporta sus notas y "
        "calcula los textos de estado del embarazo. Nunca cambia una agenda.\n\n"
        "Los mensajes de error van a la salida de errores, en una línea que empieza por "
        "\"gestalia-tool:\".";

    ManualSection commands{"ÓRDENES", "Órdenes", "", {}};
    for (const ToolCommandDoc& command : kToolCommands) {
        commands.items.push_back({std::string(command.name) + ' ' + std::string(command.arguments),
                                  std::string(command.text)});
    }
    page.sections.push_back(std::move(commands));
    page.sections.push_back({"OPCIONES",
                             "Opciones",
                             "",
                             {{"-h, --help",
                               "Muestra la ayuda y termina. Detrás de una orden, muestra "
                               "la ayuda de esa orden."},
                              {"--version", "Muestra la versión y termina."}}});
    page.sections.push_back(ExitCodes());
    page.sections.push_back(
        {"EJEMPLOS",
         "Ejemplos",
         "",
         {{"gestalia-tool check mi-agenda.gst", "Dice OK si la agenda se puede leer."},
          {"gestalia-tool export-csv mi-agenda.gst > notas.csv",
           "Guarda las notas en una hoja de cálculo."},
          {"gestalia-tool informe mi-agenda.gst > informe.html",
           "Guarda el informe para abrirlo en el navegador e imprimirlo."},
          {"gestalia-tool export-ics mi-agenda.gst > embarazo.ics",
           "Guarda las notas para importarlas en un programa de calendario."},
          {"gestalia-tool timeline 2027-01-01 2027-02-15",
           "Los textos de estado del 15 de febrero de 2027 para una última regla el 1 de "
           "enero de 2027."}}});
    page.sections.push_back({"VÉASE TAMBIÉN", "", "gestalia(1)", {}});
    return page;
}

ManualPage ProgramManual() {
    ManualPage page;
    page.name = "gestalia";
    page.summary = "agenda del embarazo";
    page.synopsis = {"gestalia [AGENDA]"};
    page.description =
        "Gestalia es una agenda del embarazo para el escritorio. Se crea o se abre una agenda "
        "(un fichero .gst) y se pone la fecha de la última regla; Gestalia muestra la fecha "
        "probable de parto, los días que quedan y las semanas de embarazo, un calendario del "
        "mes con las semanas de embarazo marcadas, un consejo para cada semana y las notas de "
        "cada día, con el peso si se quiere.\n\n"
        "Un doble clic en un día añade una nota; un doble clic en una nota la cambia o la "
        "borra. El botón Peso muestra la gráfica de los pesos. Cada cambio se guarda en la "
        "agenda al momento.";
    page.sections.push_back(
        {"ARGUMENTOS",
         "",
         "",
         {{"AGENDA",
           "La agenda que se abre al empezar. Si hay varios argumentos, vale el último. Si "
           "la agenda no se puede abrir, Gestalia lo dice en un mensaje, empieza con una "
           "agenda vacía y la guarda en ese lugar con el primer cambio."}}});
    page.sections.push_back(
        {"ESTADO DE SALIDA",
         "",
         "",
         {{"0", "La ventana se ha cerrado con Salir o con su botón de cerrar."}}});
    page.sections.push_back(
        {"FICHEROS",
         "",
         "",
         {{"*.gst",
           "Las agendas. Gestalia no escribe más ficheros que las agendas que se le dan. "
           "Guarda cada cambio en un fichero temporal junto a la agenda y lo pone en su "
           "lugar, de modo que un fallo al guardar deja la agenda anterior como estaba."}}});
    page.sections.push_back({"EJEMPLOS",
                             "",
                             "",
                             {{"gestalia", "Empieza sin agenda."},
                              {"gestalia mi-agenda.gst", "Empieza con esa agenda abierta."}}});
    page.sections.push_back({"VÉASE TAMBIÉN", "", "gestalia-tool(1)", {}});
    return page;
}

std::string CommandHelpText(const ToolCommandDoc& command) {
    return "Uso: " + std::string(kTool) + ' ' + std::string(command.name) + ' ' +
           std::string(command.arguments) + "\n\n" + WrapText(command.text, 0, 79);
}

}  // namespace gestalia
