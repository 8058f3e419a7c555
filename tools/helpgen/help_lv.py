# Latviešu palīdzības teksti.
UI = {
    "computes": "Ko aprēķina", "inputs": "Ievaddati", "back": "Saturs",
    "intro": "VELTARO izvēlas un pārbauda cauruļu, kanālu un plakanu virsmu tehnisko izolāciju ar "
             "Torvelin izstrādājumiem. Izvēlieties aprēķinu izvēlnē vai noklikšķiniet uz tā nosaukuma sākuma attēlā.",
    "results": "Rezultāti parādās loga rezultātu rāmī. Pārskatam izmantojiet priekšskatījumu.",
}
CALC = {
    1: "Caurules vai plakanas virsmas ar izvēlētu izolācijas biezumu siltuma zudumi un virsmas temperatūra. "
       "Ar ieslēgtu enerģijas ietaupījumu arī neizolētā objekta zudumi un gada ietaupījums.",
    2: "Izolācijas biezums, kas dod prasīto virsmas temperatūru, un siltuma zudumi pie šī biezuma.",
    3: "Izolācijas biezums, pie kura siltuma zudumi nepārsniedz prasīto vērtību, un virsmas temperatūra.",
    4: "Izolācijas biezums, kas atbilst izolācijas klasei, ar siltuma zudumiem un virsmas temperatūru.",
    5: "Izolācijas biezums, pie kura aukstas caurules vai virsmas temperatūra paliek virs gaisa rasas punkta "
       "un neveidojas kondensāts.",
    6: "Izolācijas biezums, pie kura plūstoša mitra vide caurulē vai kanālā paliek virs rasas punkta un "
       "nekondensējas uz iekšējās sienas.",
    7: "Gaisa vai dūmgāzu temperatūras izmaiņa ventilācijas kanālā vai izolācijas biezums prasītajai beigu "
       "temperatūrai.",
    21: "Divu līdz sešu dažādu izstrādājumu slāņu ar dotiem biezumiem siltuma zudumi, temperatūras starp "
        "slāņiem un virsmas temperatūra.",
    22: "Slāņu biezumi, kas atbilst prasītajām temperatūrām starp slāņiem un virsmas temperatūrai.",
    23: "Slāņu biezumi, kas atbilst prasītajām temperatūrām starp slāņiem un siltuma zudumiem.",
    24: "Siltuma zudumi pirms un pēc jauna ārējā slāņa pievienošanas esošajai izolācijai, jaunās "
        "temperatūras un gada ietaupījums.",
}
INPUT = {
    "geometry": "Caurule (ārējais diametrs mm, no saraksta vai ievadīts) vai plakne (augstums mm).",
    "location": "Telpā vai ārā. Ārā izmanto vēja ātrumu.",
    "orientation": "Horizontāla vai vertikāla caurule vai virsma; tas nosaka brīvo konvekciju.",
    "medium_temp": "Vides temperatūra caurulē vai aiz virsmas, °C.",
    "ambient": "Apkārtējā gaisa temperatūra, °C.",
    "wind": "Vēja ātrums ārā, no 1 līdz 50 m/s.",
    "emissivity": "Ārējās virsmas (apšuvuma) starojuma koeficients; tas nosaka siltuma starojumu.",
    "product": "Torvelin izolācijas izstrādājums; tā siltumvadītspēja atkarīga no vidējās temperatūras.",
    "thickness": "Izolācijas biezums mm, no izstrādājuma biezumiem.",
    "req_surface": "Sasniedzamā virsmas temperatūra, °C.",
    "req_heatloss": "Lielākie pieļaujamie siltuma zudumi, caurulei W/m vai virsmai W/m².",
    "method": "Izolācijas klase no saraksta vai darba stundas gadā un zudumu koeficients.",
    "humidity": "Apkārtējā gaisa relatīvais mitrums, %.",
    "velocity": "Vides ātrums caurulē, m/s.",
    "medium_humidity": "Vides relatīvais mitrums, %.",
    "inner_dia": "Caurules iekšējais diametrs, mm.",
    "constant": "Vides vielas konstante iekšējai siltuma atdevei.",
    "calc_type": "Ko meklē: izolācijas biezumu, sākuma vai beigu temperatūru.",
    "medium": "Gaiss vai dūmgāzes kanālā.",
    "flow": "Vides plūsma izvēlētajās vienībās (kg/s, l/h, l/s, m³/h vai m/s).",
    "length": "Kanāla garums, m.",
    "start_end": "Vides temperatūra kanāla ieejā un izejā, °C.",
    "layers": "Slāņu skaits no 2 līdz 6, skaitot no vides uz āru; katram slānim savs izstrādājums.",
    "interfaces": "Temperatūras starp slāņiem, °C; prasītās vērtības ierobežo katru izstrādājumu.",
    "existing": "Esošā izolācija: izstrādājums, biezums un virsmas starojuma koeficients.",
    "new": "Jaunais ārējais slānis: izstrādājums, biezums un virsmas starojuma koeficients.",
    "savings": "Caurules garums vai laukums, enerģijas vienība un cena, darba stundas gadā.",
}
