# Eestikeelsed abitekstid.
UI = {
    "computes": "Mida arvutatakse", "inputs": "Sisendid", "back": "Sisukord",
    "intro": "VELTARO valib ja kontrollib torude, kanalite ja tasapindade tehnilist isolatsiooni "
             "Torvelini toodetega. Valige arvutus menüüst või klõpsake selle pealkirja avapildil.",
    "results": "Tulemused kuvatakse akna tulemuste raamis. Aruande jaoks kasutage eelvaadet.",
}
CALC = {
    1: "Valitud isolatsiooni paksusega toru või tasapinna soojuskadu ja pinnatemperatuur. Energiasäästu "
       "korral ka isoleerimata objekti soojuskadu ja aastane sääst.",
    2: "Isolatsiooni paksus, mis annab nõutava pinnatemperatuuri, ja soojuskadu selle paksuse juures.",
    3: "Isolatsiooni paksus, mille juures soojuskadu ei ületa nõutavat väärtust, ja pinnatemperatuur.",
    4: "Isolatsiooni paksus, mis vastab isolatsiooniklassile, koos soojuskao ja pinnatemperatuuriga.",
    5: "Isolatsiooni paksus, mille juures külma toru või pinna temperatuur jääb õhu kastepunktist kõrgemaks "
       "ja kondensaati ei teki.",
    6: "Isolatsiooni paksus, mille juures voolav niiske keskkond jääb torus või kanalis kastepunktist "
       "kõrgemaks ega kondenseeru siseseinal.",
    7: "Õhu või suitsugaasi temperatuuri muutus ventilatsioonikanalis või isolatsiooni paksus nõutava "
       "lõpptemperatuuri jaoks.",
    21: "Kahe kuni kuue erineva toote kihi soojuskadu, kihtidevahelised temperatuurid ja pinnatemperatuur "
        "antud paksuste korral.",
    22: "Kihtide paksused, mis vastavad nõutavatele kihtidevahelistele temperatuuridele ja pinnatemperatuurile.",
    23: "Kihtide paksused, mis vastavad nõutavatele kihtidevahelistele temperatuuridele ja soojuskaole.",
    24: "Soojuskadu enne ja pärast uue väliskihi lisamist olemasolevale isolatsioonile, uued temperatuurid "
        "ja aastane sääst.",
}
INPUT = {
    "geometry": "Toru (välisläbimõõt mm, loendist või sisestatud) või tasapind (kõrgus mm).",
    "location": "Siseruumis või väljas. Väljas kasutatakse tuule kiirust.",
    "orientation": "Horisontaalne või vertikaalne toru või pind; see määrab vabakonvektsiooni.",
    "medium_temp": "Keskkonna temperatuur torus või pinna taga, °C.",
    "ambient": "Ümbritseva õhu temperatuur, °C.",
    "wind": "Tuule kiirus väljas, 1 kuni 50 m/s.",
    "emissivity": "Välispinna (katte) kiirgustegur; see määrab soojuskiirguse.",
    "product": "Torvelini isolatsioonitoode; selle soojusjuhtivus sõltub keskmisest temperatuurist.",
    "thickness": "Isolatsiooni paksus mm, toote paksuste hulgast.",
    "req_surface": "Saavutatav pinnatemperatuur, °C.",
    "req_heatloss": "Suurim lubatud soojuskadu, torul W/m või pinnal W/m².",
    "method": "Isolatsiooniklass loendist või töötunnid aastas ja kadutegur.",
    "humidity": "Ümbritseva õhu suhteline niiskus, %.",
    "velocity": "Keskkonna kiirus torus, m/s.",
    "medium_humidity": "Keskkonna suhteline niiskus, %.",
    "inner_dia": "Toru siseläbimõõt, mm.",
    "constant": "Keskkonna ainekonstant sisemise soojusülekande jaoks.",
    "calc_type": "Mida otsitakse: isolatsiooni paksust, alg- või lõpptemperatuuri.",
    "medium": "Õhk või suitsugaas kanalis.",
    "flow": "Keskkonna vooluhulk valitud ühikus (kg/s, l/h, l/s, m³/h või m/s).",
    "length": "Kanali pikkus, m.",
    "start_end": "Keskkonna temperatuur kanali sisse- ja väljavoolul, °C.",
    "layers": "Kihtide arv 2 kuni 6, keskkonnast väljapoole; igal kihil on oma toode.",
    "interfaces": "Kihtidevahelised temperatuurid, °C; nõutavad väärtused piiravad iga toodet.",
    "existing": "Olemasolev isolatsioon: toode, paksus ja pinna kiirgustegur.",
    "new": "Uus väliskiht: toode, paksus ja pinna kiirgustegur.",
    "savings": "Toru pikkus või pindala, energiaühik ja hind ning töötunnid aastas.",
}
