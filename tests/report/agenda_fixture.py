"""An agenda file written the way its format is documented (model/agenda_file.h),
independently of the program: a header, the notes, and the extension block."""

import datetime
import json
import struct
import zlib

_EPOCH = datetime.datetime(1899, 12, 30)


def ole_date(moment):
    """Days since 30 December 1899, the fraction being the time of day."""
    return (moment - _EPOCH).total_seconds() / 86400.0


def _date(moment, status=0):
    return struct.pack("<di", ole_date(moment) if moment else 0.0, status)


def agenda_bytes(last_period, notes, extension=None):
    """notes: dicts with "text", "from" (a datetime, or None for a null date),
    optional "to", "weight"."""
    data = bytearray(_date(last_period) + struct.pack("<i", len(notes)))
    for note in notes:
        text = note["text"].encode("cp1252")
        start = note["from"]
        data += struct.pack("<i", len(text)) + text
        data += _date(start, 0 if start else 2)
        data += _date(note.get("to", start), 0 if start else 2)
        data += struct.pack("<if", -1, note.get("weight", 0.0))
    if extension:
        payload = json.dumps(extension, ensure_ascii=False).encode("utf-8")
        data += b"GSTX" + struct.pack("<II", 1, len(payload)) + payload
        data += struct.pack("<I", zlib.crc32(payload))
    return bytes(data)


LAST_PERIOD = datetime.datetime(2027, 1, 4)
NOTES = [
    {"text": "Primera visita con la matrona\nTodo bien, me pesan y me toman la tensión",
     "from": datetime.datetime(2027, 2, 15, 10, 30), "to": datetime.datetime(2027, 2, 15, 11, 0),
     "weight": 60.5},
    {"text": "Ecografía de las 12 semanas; ¡se mueve mucho!",
     "from": datetime.datetime(2027, 3, 29, 9, 0), "weight": 61.8},
    {"text": "Análisis: glucosa, hierro, \"todo normal\" \\ dice el médico",
     "from": datetime.datetime(2027, 5, 10, 8, 15), "weight": 64.25},
    {"text": "Clase de preparación al parto, con Ana & Luis <primera>",
     "from": datetime.datetime(2027, 6, 7, 18, 0)},
    {"text": "Bolsa para el hospital: camisón, zapatillas, neceser; para el bebé: pañales, "
             "toallitas, crema, dos bodis y un gorrito; documentos: DNI, tarjeta sanitaria, "
             "cartilla del embarazo y los informes de las ecografías",
     "from": datetime.datetime(2027, 8, 30, 20, 0)},
    {"text": "Una nota sin fecha", "from": None},
    {"text": "Visita de la semana 28", "from": datetime.datetime(2027, 7, 19, 12, 0),
     "weight": 67.4},
]
EXTENSION = {
    "profile": {"heightCm": 165, "weightBeforeKg": 59.9, "twins": False},
    "visits": [
        {"note": 0, "systolic": 110, "diastolic": 70, "oedema": False},
        {"note": 2, "systolic": 115, "diastolic": 72, "fundalHeightCm": 18,
         "fetalHeartRate": 148},
        {"note": 6, "systolic": 118, "diastolic": 75, "fundalHeightCm": 27.5,
         "fetalHeartRate": 142, "oedema": True},
    ],
}


def sample_agenda():
    return agenda_bytes(LAST_PERIOD, NOTES, EXTENSION)
