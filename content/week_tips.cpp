#include "content/week_tips.h"

#include <array>
#include <cstdint>

namespace gestalia {

namespace {

// Weeks are counted from the first day of the last period, so slot i covers the
// days i * 7 to i * 7 + 6 and "semana i" in the texts means i completed weeks.
// Several consecutive slots share one text; each text is kept once.
constexpr std::array<std::string_view, 23> kTipTexts = {
    // Slot 0.
    "La primera semana corresponde al período menstrual de la madre. Todavía no hay "
    "embarazo, pero las semanas de gestación se cuentan desde el primer día de la última "
    "regla, por eso esta semana ya forma parte de las cuarenta.\r\n"
    "Si estás buscando un embarazo, pregunta a tu médico o matrona por el ácido fólico y "
    "procura dejar el tabaco y el alcohol. Una alimentación variada te ayudará desde el "
    "principio.",

    // Slot 1.
    "En la segunda semana se produce la ovulación. En un ciclo de 28 días suele ocurrir "
    "hacia el día 14: uno de los ovarios libera un óvulo que puede ser fecundado durante las "
    "horas siguientes.\r\n"
    "Los espermatozoides pueden sobrevivir varios días, así que los días fértiles son los que "
    "rodean la ovulación. Si tus ciclos son más largos o más cortos, la ovulación se retrasa "
    "o se adelanta.",

    // Slot 2.
    "En la tercera semana el óvulo fecundado viaja por la trompa hacia el útero mientras se "
    "divide una y otra vez. Al cabo de unos días llega al útero convertido en una pequeña "
    "bola de células, el blastocisto.\r\n"
    "Hacia el final de esta semana empieza a implantarse en la pared del útero. Algunas "
    "mujeres notan un ligero manchado en estos días; si te preocupa, consúltalo con tu "
    "matrona.",

    // Slot 3.
    "En la cuarta semana el embrión termina de implantarse en el útero y empieza a producir "
    "la hormona del embarazo (hCG), la que detectan las pruebas de embarazo. Se forman la "
    "bolsa amniótica y los primeros esbozos de la placenta.\r\n"
    "Al final de esta semana suele llegar la fecha de la regla que ya no aparece. Una prueba "
    "de embarazo hecha a partir de ese día es más fiable que si se hace antes.",

    // Slot 4.
    "En la quinta semana ya tienes un retraso de la regla y una prueba de embarazo puede "
    "salir positiva. El embrión mide apenas un par de milímetros, pero ya se forma el tubo "
    "neural, del que saldrán el cerebro y la médula espinal, y empieza a formarse el "
    "corazón.\r\n"
    "Es buen momento para pedir cita con tu matrona o tu médico de cabecera, que te "
    "orientarán sobre las primeras visitas y análisis.",

    // Slot 5.
    "En la sexta semana el corazón del embrión empieza a latir, aunque todavía puede ser "
    "pronto para verlo en una ecografía. Se cierra el tubo neural y aparecen los brotes de "
    "los que saldrán los brazos y las piernas.\r\n"
    "Pueden empezar las náuseas, el cansancio y la tensión en los pechos. Si los vómitos te "
    "impiden comer o beber, consulta a tu médico o matrona.",

    // Slots 6 and 7.
    "Los dientes se forman en las semanas 6 y 7. Aparecen los primeros esbozos de los "
    "dientes de leche, que no asomarán hasta varios meses después del nacimiento. El embrión "
    "mide alrededor de un centímetro y en sus manos empiezan a dibujarse los dedos.\r\n"
    "En una ecografía de estas semanas ya suele verse latir su corazón. Descansa cuanto "
    "puedas: el cansancio es muy normal al principio.",

    // Slots 8 and 9.
    "Entre las semanas 8 y 9 el embrión tiene ya esbozados todos sus órganos principales y "
    "empieza a moverse, aunque tú aún no lo notes. Mide entre dos y tres centímetros y su "
    "cara va tomando forma.\r\n"
    "Si aún no lo has hecho, acude a la primera visita de control del embarazo: te harán una "
    "analítica completa y te explicarán las pruebas de las próximas semanas.",

    // Slots 10 and 11.
    "Desde la semana 10 ya no se habla de embrión sino de feto: sus órganos están formados y "
    "ahora tienen que crecer y madurar. Mide unos cuatro centímetros y se le empiezan a "
    "formar las uñas.\r\n"
    "Entre las semanas 11 y 13 se hace la primera ecografía, que confirma el tiempo de "
    "embarazo y, junto con un análisis de sangre, permite el cribado de algunas alteraciones "
    "cromosómicas. Tu matrona te explicará los resultados.",

    // Slots 12 and 13.
    "Con las semanas 12 y 13 termina el primer trimestre. El feto mide entre seis y ocho "
    "centímetros, sus riñones empiezan a producir orina y responde a los estímulos con "
    "pequeños movimientos.\r\n"
    "Muchas mujeres notan que las náuseas se alivian y que recuperan energía. Es un buen "
    "momento para hacer ejercicio suave, como caminar o nadar, si tu médico no te indica lo "
    "contrario.",

    // Slot 14.
    "En la semana 14 comienza el segundo trimestre, para muchas mujeres el más llevadero. Al "
    "bebé le crece un vello muy fino, el lanugo, que cubrirá su piel durante unos meses, y "
    "sus facciones son cada vez más definidas.\r\n"
    "Tu tripa empezará pronto a notarse. Mantén una alimentación variada y bebe agua a "
    "menudo; no hace falta comer por dos.",

    // Slots 15 and 16.
    "Durante las semanas 15 y 16 los huesos del bebé se van endureciendo y sus movimientos "
    "son cada vez más coordinados: hasta puede chuparse el dedo. Mide unos once centímetros "
    "desde la cabeza hasta las nalgas.\r\n"
    "Algunas mujeres, sobre todo si ya han tenido hijos, empiezan a notar sus movimientos "
    "como un leve cosquilleo. Si tú aún no los notas, es normal: en un primer embarazo suelen "
    "percibirse hacia las semanas 18 a 20.",

    // Slots 17 to 19.
    "Entre las semanas 17 y 19 el bebé pesa unos doscientos gramos y su piel empieza a "
    "cubrirse de una capa protectora blanca y grasa, la vérnix. Empieza a percibir algunos "
    "sonidos y se mueve con más fuerza.\r\n"
    "Es probable que ya notes sus movimientos. Pronto te harán la ecografía morfológica, en "
    "torno a la semana 20, que revisa con detalle su desarrollo. Apunta las dudas que quieras "
    "plantear ese día.",

    // Slots 20 and 21.
    "Con las semanas 20 y 21 llegas a la mitad del embarazo. El bebé pesa entre trescientos y "
    "cuatrocientos gramos, traga líquido amniótico y alterna ratos de sueño y de "
    "actividad.\r\n"
    "En estas semanas se hace la ecografía morfológica, que estudia sus órganos y cómo está "
    "creciendo. Puede que notes hinchazón de piernas o calambres: caminar y descansar con las "
    "piernas en alto ayuda.",

    // Slots 22 to 24.
    "Entre las semanas 22 y 24 los pulmones del bebé siguen madurando y empiezan a fabricar "
    "las sustancias que necesitará para respirar al nacer. Pesa alrededor de medio kilo y "
    "reacciona a tu voz y a los ruidos fuertes.\r\n"
    "Entre las semanas 24 y 28 suele hacerse el análisis que detecta la diabetes del "
    "embarazo. Si tienes un dolor de cabeza intenso, una hinchazón brusca o un sangrado, "
    "consulta enseguida.",

    // Slots 25 and 26.
    "En las semanas 25 y 26 el bebé pesa unos ochocientos gramos y acumula grasa bajo la "
    "piel. Sus párpados, cerrados hasta ahora, se abrirán en las próximas semanas, y puede "
    "que notes su hipo como pequeños golpes rítmicos.\r\n"
    "Si tu grupo sanguíneo es Rh negativo, tu matrona te dirá si necesitas alguna medida "
    "especial en el tercer trimestre. Sigue acudiendo a todas las revisiones.",

    // Slots 27 and 28.
    "Con las semanas 27 y 28 empieza el tercer trimestre. El bebé pesa en torno a un kilo, "
    "abre los ojos, su cerebro crece deprisa y tiene periodos de sueño parecidos a los de un "
    "recién nacido.\r\n"
    "Acostúmbrate a fijarte cada día en sus movimientos. Si notas que se mueve menos de lo "
    "habitual, no esperes: llama a tu matrona o acude al hospital para que lo comprueben.",

    // Slots 29 and 30.
    "En las semanas 29 y 30 el bebé pesa entre un kilo y cuarto y kilo y medio. Su esqueleto "
    "se sigue endureciendo y la grasa que acumula le ayudará a mantener su temperatura al "
    "nacer.\r\n"
    "Es habitual notar ardor de estómago, dolor de espalda o falta de aire. Comer poco y a "
    "menudo y descansar de lado puede aliviarte; comenta con tu matrona cualquier molestia "
    "que te inquiete.",

    // Slots 31 and 32.
    "Durante las semanas 31 y 32 el bebé pesa entre kilo y medio y dos kilos y tiene cada vez "
    "menos espacio, así que notarás más sus cambios de postura. Muchos bebés se colocan ya "
    "cabeza abajo.\r\n"
    "Hacia la semana 32 suele hacerse la ecografía del tercer trimestre, que comprueba su "
    "crecimiento, su posición y la placenta. Es buen momento para empezar la preparación al "
    "parto.",

    // Slots 33 and 34.
    "En las semanas 33 y 34 el bebé pesa unos dos kilos y sus pulmones están casi maduros. "
    "Sus defensas se refuerzan con los anticuerpos que recibe de ti a través de la "
    "placenta.\r\n"
    "Ve preparando la bolsa para el hospital y piensa en tu plan de parto: cómo te gustaría "
    "que fuera y a quién quieres a tu lado. Tu matrona puede ayudarte a escribirlo.",

    // Slots 35 and 36.
    "Entre las semanas 35 y 36 el bebé pesa alrededor de dos kilos y medio y puede empezar a "
    "encajarse en la pelvis, lo que a veces te deja respirar mejor pero aumenta las ganas de "
    "orinar.\r\n"
    "En estas semanas suelen tomarte una muestra vaginal y rectal para detectar el "
    "estreptococo del grupo B. Aprende a reconocer las señales del parto y ten a mano el "
    "teléfono de tu hospital.",

    // Slots 37 and 38.
    "A partir de la semana 37 el embarazo se considera a término: el bebé está preparado para "
    "nacer. Pesa unos tres kilos y va perdiendo el lanugo que cubría su piel.\r\n"
    "Acude al hospital si rompes aguas, si tienes contracciones regulares y cada vez más "
    "seguidas, si sangras o si notas que el bebé se mueve menos. Ante cualquier duda, llama a "
    "tu matrona.",

    // Slots 39 to 41.
    "Después de la semana 39 el bebé dedica estas últimas semanas a fortalecerse: sigue "
    "acumulando grasa y sus órganos terminan de madurar. Pocos bebés nacen justo en la fecha "
    "probable de parto; nacer unos días antes o después es normal.\r\n"
    "Si llegas a la semana 41, tu equipo médico vigilará más de cerca al bebé y te explicará "
    "las opciones, como inducir el parto. Mientras tanto, descansa y sigue atenta a sus "
    "movimientos.",
};

// Slot -> text: 0; 1; 2; 3; 4; 5; 6-7; 8-9; 10-11; 12-13; 14; 15-16; 17-19; 20-21;
// 22-24; 25-26; 27-28; 29-30; 31-32; 33-34; 35-36; 37-38; 39-41.
constexpr std::array<std::uint8_t, kWeekTipSlots> kSlotText = {
    0,  1,  2,  3,  4,  5,  6,  6,  7,  7,  8,  8,  9,  9,  10, 11, 11, 12, 12, 12, 13,
    13, 14, 14, 14, 15, 15, 16, 16, 17, 17, 18, 18, 19, 19, 20, 20, 21, 21, 22, 22, 22,
};

constexpr bool EveryTextUsedInOrder() {
    // Groups are consecutive: each slot keeps its neighbour's text or takes the next.
    if (kSlotText[0] != 0 || kSlotText[kWeekTipSlots - 1] != kTipTexts.size() - 1) {
        return false;
    }
    for (int i = 1; i < kWeekTipSlots; ++i) {
        const int step = kSlotText[i] - kSlotText[i - 1];
        if (step != 0 && step != 1) {
            return false;
        }
    }
    return true;
}
static_assert(EveryTextUsedInOrder());

}  // namespace

std::optional<std::string_view> GetWeekTip(int slot) {
    if (slot < 0 || slot >= kWeekTipSlots) {
        return std::nullopt;
    }
    return kTipTexts[kSlotText[static_cast<std::size_t>(slot)]];
}

}  // namespace gestalia
