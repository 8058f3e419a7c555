# Eestikeelsed abitekstid.
UI = {
    "computes": "Mida arvutatakse", "inputs": "Sisendid", "back": "Sisukord",
    "intro": "VELTARO valib ja kontrollib torude, kanalite ja tasapindade tehnilist isolatsiooni "
             "Torvelini toodetega. Valige arvutus menüüst või klõpsake selle pealkirja avapildil.",
    "limits": "Sisendite piirid",
    "limits_intro": "Arvutamisel kontrollitakse kõigepealt sisendeid. Iga puuduv või piiridest väljas sisend "
                    "näidatakse ühe neist ridadest ja midagi ei arvutata enne, kui see on parandatud:",
    "results": "Tulemused",
    "report": "Sisendite ja tulemuste aruande jaoks kasutage eelvaadet.",
    "messages": "Kui tulemust ei ole",
}
MM = " Paksus ümardatakse täismillimeetriteni."
CALC = {
    1: "Valitud isolatsioonipaksusega toru või tasapinna soojuskadu ja pinnatemperatuur. Kui energiasääst on "
       "sisse lülitatud, antakse ka isoleerimata objekti kadu ja aastane sääst.",
    2: "Isolatsioonipaksus, mis annab nõutud pinnatemperatuuri, ja soojuskadu sellel paksusel. Paksus leitakse "
       "iteratsiooniga ja ümardatakse täismillimeetriteni, nii et pinnatemperatuur näidatud paksusel võib "
       "nõutust veidi erineda.",
    3: "Isolatsioonipaksus, mille juures soojuskadu vastab nõutud väärtusele, ja pinnatemperatuur sellel "
       "paksusel. Paksus leitakse iteratsiooniga ja ümardatakse täismillimeetriteni, nii et soojuskadu "
       "näidatud paksusel võib jääda nõutust veidi suuremaks.",
    5: "Isolatsioonipaksus, mille juures külma toru või pinna välispind just jõuab ümbritseva õhu "
       "kastepunktini. Toru puhul loetakse tulemus leituks, kui pind on kastepunktist 0,5 K piires; pärast "
       "läbimiste piiri 2 K piires või 5 cm kaugusel sihtpaksusest, ilma teateta. Tasapinna puhul 0,05 K "
       "piires. Paksus ümardatakse täismillimeetriteni, nii et pind võib jääda kastepunktist veidi allapoole: "
       "lisage kondensaadi vastu oma varu.",
    6: "Isolatsioonipaksus, mille juures voolavat niisket keskkonda kandva toru või kanali sisesein on "
       "keskkonna kastepunkti temperatuuril. Nõutud juhtivus saavutatakse 1/1000 täpsusega ja paksus "
       "ümardatakse täismillimeetriteni; lisage oma varu. \"<= 0 !\" tähendab, et isolatsiooni pole vaja, ja "
       "näidatakse isoleerimata toru soojuskadu.",
    21: "Kahe kuni kuue erineva toote kihi soojuskadu, temperatuurid kihtide vahel ja pinnatemperatuur antud "
        "paksustel.",
    22: "Kihtide paksused, mis vastavad nõutud temperatuuridele kihtide vahel ja nõutud pinnatemperatuurile." + MM,
    23: "Kihtide paksused, mis vastavad nõutud temperatuuridele kihtide vahel ja nõutud soojuskaole. Paksused "
        "leitakse iteratsiooniga ja ümardatakse täismillimeetriteni, nii et soojuskadu võib jääda nõutust "
        "veidi suuremaks.",
    24: "Soojuskadu enne ja pärast uue väliskihi lisamist olemasolevale isolatsioonile, uued temperatuurid ja, "
        "kui energiasääst on sisse lülitatud, aastane sääst.",
}
INPUT = {
    "geometry": "Toru (välisläbimõõt mm, valitud loendist või sisestatud) või tasapind (kõrgus mm).",
    "location": "Siseruumis või väljas. Väljas kasutatakse tuule kiirust.",
    "orientation": "Horisontaalne või vertikaalne toru või pind; see määrab vabakonvektsiooni.",
    "medium_temp": "Keskkonna temperatuur torus või pinna taga, °C.",
    "ambient": "Ümbritseva õhu temperatuur, °C.",
    "wind": "Tuule kiirus väljas, m/s.",
    "emissivity": "Välispinna (katte) kiirgustegur; see määrab soojuskiirguse.",
    "product": "Torvelini isolatsioonitoode; selle soojusjuhtivus sõltub keskmisest temperatuurist.",
    "thickness": "Isolatsioonipaksus mm, valitud toote paksuste hulgast.",
    "req_surface": "Saavutatav pinnatemperatuur, °C.",
    "req_heatloss": "Nõutud soojuskadu, torul W/m või pinnal W/m².",
    "humidity": "Ümbritseva õhu suhteline niiskus, %.",
    "velocity": "Keskkonna kiirus torus, m/s.",
    "medium_humidity": "Keskkonna suhteline niiskus, %.",
    "inner_dia": "Toru siseläbimõõt, mm.",
    "constant": "Keskkonna ainekonstant sisepoolse soojusülekande jaoks.",
    "layers": "Kihtide arv, 2 kuni 6, loetuna keskkonnast väljapoole; igal kihil on oma toode.",
    "interfaces": "Temperatuurid kihtide vahel, °C; nõuetena piiravad need iga toodet.",
    "existing": "Olemasolev isolatsioon: toode, paksus ja selle pinna kiirgustegur.",
    "new": "Uus väliskiht: toode, paksus ja selle pinna kiirgustegur.",
    "savings": "Toru pikkus või pindala, isoleerimata objekti kiirgustegur, energiaühik ja hind ning "
               "töötunnid aastas.",
    ("savings", 24): "Toru pikkus või pindala, energiaühik ja hind ning töötunnid aastas.",
}
RESULT = {
    102: "Leitud isolatsioonipaksus täismillimeetrites.",
    113: "Välispinna temperatuur, °C.",
    115: "Soojuskadu läbi isolatsiooni, W/m või W/m².",
    114: "Isoleerimata objekti soojuskadu.",
    116: "Isolatsiooni aastane sääst valitud energiaühikus ja hinnaga.",
    120: "Ümbritseva õhu kastepunkt, °C.",
    169: "Soojuskadu, W/m või W/m².",
    125: "Temperatuurid kihtide vahel, °C.",
    131: "Soojuskadu olemasoleva isolatsiooniga.",
    132: "Soojuskadu uue kihiga.",
    133: "Uue kihi aastane sääst.",
}
MESSAGE = {
    "nonconv": "Arvutus ei leidnud läbimiste piires stabiilset tulemust; tulemused kustutatakse.",
    "over1000": "Näidatakse paksuse lahtris: vajalik paksus ületab 1000 mm; teised tulemused kustutatakse.",
    "< 0 !": "Näidatakse paksuse lahtris: nõue on täidetud ilma isolatsioonita (negatiivne paksus); teised "
             "tulemused kustutatakse.",
    "<= 0 !": "Näidatakse paksuse lahtris: isolatsiooni pole vaja; näidatakse isoleerimata toru soojuskadu.",
    "limits": "Temperatuur on toote piiridest väljas; tulemused jäävad alles.",
    "saving_too_large": "Aastane sääst on suurem, kui saab arvutada; kontrollige säästu andmeid. Soojuskao tulemused jäävad alles.",
    "none_needed": "Sisemise kondensaadi vastu pole isolatsiooni vaja.",
    "section": "Selle läbimõõdu ja paksusega koorikut ei toodeta.",
}
