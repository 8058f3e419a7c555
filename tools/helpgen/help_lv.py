# Latviešu palīdzības teksti.
UI = {
    "computes": "Ko aprēķina", "inputs": "Ievaddati", "back": "Saturs",
    "intro": "VELTARO izvēlas un pārbauda cauruļu, kanālu un plakanu virsmu tehnisko izolāciju ar "
             "Torvelin izstrādājumiem. Izvēlieties aprēķinu izvēlnē vai noklikšķiniet uz tā nosaukuma sākuma attēlā.",
    "limits": "Ievaddatu robežas",
    "limits_intro": "Aprēķinot vispirms tiek pārbaudīti ievaddati. Katrs trūkstošs vai robežām neatbilstošs "
                    "ievaddats tiek norādīts ar vienu no šīm rindām, un nekas netiek aprēķināts, līdz tas "
                    "izlabots:",
    "results": "Rezultāti",
    "report": "Ievaddatu un rezultātu pārskatam izmantojiet priekšskatījumu.",
    "messages": "Ja rezultāta nav",
}
MM = " Biezums tiek noapaļots līdz veseliem milimetriem."
CALC = {
    1: "Caurules vai plakanas virsmas ar izvēlētu izolācijas biezumu siltuma zudumi un virsmas temperatūra. "
       "Ieslēdzot enerģijas ietaupījumu, tiek doti arī neizolētā objekta zudumi un gada ietaupījums.",
    2: "Izolācijas biezums, kas dod prasīto virsmas temperatūru, un siltuma zudumi pie šī biezuma. Biezumu "
       "atrod iterējot un noapaļo līdz veseliem milimetriem, tāpēc virsmas temperatūra pie parādītā biezuma "
       "var nedaudz atšķirties no prasītās.",
    3: "Izolācijas biezums, pie kura siltuma zudumi atbilst prasītajai vērtībai, un virsmas temperatūra pie šī "
       "biezuma. Biezumu atrod iterējot un noapaļo līdz veseliem milimetriem, tāpēc zudumi pie parādītā "
       "biezuma var būt nedaudz lielāki par prasītajiem.",
    5: "Izolācijas biezums, pie kura aukstas caurules vai virsmas ārpuse tikko sasniedz apkārtējā gaisa rasas "
       "punktu. Caurulei rezultāts ir atrasts, kad virsma ir 0,5 K robežās no rasas punkta; pēc atkārtojumu "
       "robežas 2 K robežās vai 5 cm no mērķa biezuma, bez paziņojuma. Plakanai virsmai 0,05 K robežās. "
       "Biezums tiek noapaļots līdz veseliem milimetriem, tāpēc virsma var būt nedaudz zem rasas punkta: "
       "rezervi pret kondensātu pievienojiet paši.",
    6: "Izolācijas biezums, pie kura caurules vai kanāla ar plūstošu mitru vidi iekšējā siena ir vides rasas "
       "punkta temperatūrā. Prasītā vadītspēja tiek sasniegta 1/1000 robežās, un biezums tiek noapaļots līdz "
       "veseliem milimetriem; rezervi pievienojiet paši. \"<= 0 !\" nozīmē, ka izolācija nav vajadzīga, un "
       "tiek parādīti neizolētās caurules zudumi.",
    21: "Divu līdz sešu dažādu izstrādājumu slāņu ar dotiem biezumiem siltuma zudumi, temperatūras starp "
        "slāņiem un virsmas temperatūra.",
    22: "Slāņu biezumi, kas atbilst prasītajām temperatūrām starp slāņiem un prasītajai virsmas temperatūrai." + MM,
    23: "Slāņu biezumi, kas atbilst prasītajām temperatūrām starp slāņiem un prasītajiem siltuma zudumiem. "
        "Biezumus atrod iterējot un noapaļo līdz veseliem milimetriem, tāpēc zudumi var būt nedaudz lielāki "
        "par prasītajiem.",
    24: "Siltuma zudumi pirms un pēc jauna ārējā slāņa uzlikšanas esošai izolācijai, jaunās temperatūras un, "
        "ieslēdzot enerģijas ietaupījumu, gada ietaupījums.",
}
INPUT = {
    "geometry": "Caurule (ārējais diametrs mm, izvēlēts sarakstā vai ievadīts) vai plakne (augstums mm).",
    "location": "Telpās vai ārā. Ārā tiek izmantots vēja ātrums.",
    "orientation": "Horizontāla vai vertikāla caurule vai virsma; tas nosaka dabisko konvekciju.",
    "medium_temp": "Vides temperatūra caurulē vai aiz virsmas, °C.",
    "ambient": "Apkārtējā gaisa temperatūra, °C.",
    "wind": "Vēja ātrums ārā, m/s.",
    "emissivity": "Ārējās virsmas (apšuvuma) starojuma koeficients; tas nosaka siltuma starojumu.",
    "product": "Torvelin izolācijas izstrādājums; tā siltumvadītspēja atkarīga no vidējās temperatūras.",
    "thickness": "Izolācijas biezums mm, izvēlēts no izstrādājuma biezumiem.",
    "req_surface": "Sasniedzamā virsmas temperatūra, °C.",
    "req_heatloss": "Prasītie siltuma zudumi, caurulei W/m vai virsmai W/m².",
    "humidity": "Apkārtējā gaisa relatīvais mitrums, %.",
    "velocity": "Vides ātrums caurulē, m/s.",
    "medium_humidity": "Vides relatīvais mitrums, %.",
    "inner_dia": "Caurules iekšējais diametrs, mm.",
    "constant": "Vides vielas konstante siltuma pārejai iekšpusē.",
    "layers": "Slāņu skaits, no 2 līdz 6, skaitot no vides uz āru; katram slānim ir savs izstrādājums.",
    "interfaces": "Temperatūras starp slāņiem, °C; kā prasības tās ierobežo katru izstrādājumu.",
    "existing": "Esošā izolācija: izstrādājums, biezums un tās virsmas starojuma koeficients.",
    "new": "Jaunais ārējais slānis: izstrādājums, biezums un tā virsmas starojuma koeficients.",
    "savings": "Caurules garums vai laukums, neizolētā objekta starojuma koeficients, enerģijas vienība un "
               "cena un darba stundas gadā.",
    ("savings", 24): "Caurules garums vai laukums, enerģijas vienība un cena un darba stundas gadā.",
}
RESULT = {
    102: "Atrastais izolācijas biezums veselos milimetros.",
    113: "Ārējās virsmas temperatūra, °C.",
    115: "Siltuma zudumi caur izolāciju, W/m vai W/m².",
    114: "Neizolētā objekta siltuma zudumi.",
    116: "Izolācijas gada ietaupījums izvēlētajā enerģijas vienībā un cenā.",
    120: "Apkārtējā gaisa rasas punkts, °C.",
    169: "Siltuma zudumi, W/m vai W/m².",
    125: "Temperatūras starp slāņiem, °C.",
    131: "Siltuma zudumi ar esošo izolāciju.",
    132: "Siltuma zudumi ar jauno slāni.",
    133: "Jaunā slāņa gada ietaupījums.",
}
MESSAGE = {
    "nonconv": "Aprēķins atkārtojumu robežās neatrada stabilu rezultātu; rezultāti tiek notīrīti.",
    "over1000": "Parādās biezuma lodziņā: vajadzīgais biezums pārsniedz 1000 mm; pārējie rezultāti tiek notīrīti.",
    "< 0 !": "Parādās biezuma lodziņā: prasība izpildīta bez izolācijas (negatīvs biezums); pārējie rezultāti "
             "tiek notīrīti.",
    "<= 0 !": "Parādās biezuma lodziņā: izolācija nav vajadzīga; tiek parādīti neizolētās caurules zudumi.",
    "limits": "Temperatūra ir ārpus izstrādājuma robežām; rezultāti paliek.",
    "saving_too_large": "Gada ietaupījums pārsniedz to, ko var aprēķināt; pārbaudiet ietaupījuma datus. Siltuma zudumu rezultāti saglabājas.",
    "none_needed": "Izolācija pret iekšējo kondensātu nav vajadzīga.",
    "section": "Šāda diametra un biezuma čaula netiek ražota.",
}
