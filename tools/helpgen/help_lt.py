# Lietuviški pagalbos tekstai.
UI = {
    "computes": "Ką apskaičiuoja", "inputs": "Duomenys", "back": "Turinys",
    "intro": "VELTARO parenka ir tikrina vamzdžių, ortakių ir plokščių paviršių techninę izoliaciją su "
             "Torvelin gaminiais. Pasirinkite skaičiavimą meniu arba spustelėkite jo pavadinimą pradžios paveiksle.",
    "limits": "Duomenų ribos",
    "limits_intro": "Skaičiuojant pirmiausia tikrinami duomenys. Kiekvienas trūkstamas ar už ribų esantis "
                    "duomuo nurodomas viena iš šių eilučių, ir nieko neskaičiuojama, kol jis neištaisytas:",
    "results": "Rezultatai",
    "report": "Ataskaitai su duomenimis ir rezultatais naudokite Peržiūrą.",
    "messages": "Kai rezultato nėra",
}
MM = " Storis suapvalinamas iki sveikų milimetrų."
CALC = {
    1: "Vamzdžio arba plokščio paviršiaus su pasirinktu izoliacijos storiu šilumos nuostoliai ir paviršiaus "
       "temperatūra. Įjungus energijos sutaupymą, pateikiami ir neizoliuoto objekto nuostoliai bei metinis "
       "sutaupymas.",
    2: "Izoliacijos storis, kuriam esant pasiekiama reikalaujama paviršiaus temperatūra, ir šilumos nuostoliai. "
       "Storis randamas iteracijomis ir suapvalinamas iki sveikų milimetrų, todėl paviršiaus temperatūra prie "
       "rodomo storio gali šiek tiek skirtis nuo reikalaujamos.",
    3: "Izoliacijos storis, kuriam esant šilumos nuostoliai atitinka reikalaujamą vertę, ir paviršiaus "
       "temperatūra. Storis randamas iteracijomis ir suapvalinamas iki sveikų milimetrų, todėl nuostoliai prie "
       "rodomo storio gali būti šiek tiek didesni už reikalaujamus.",
    5: "Izoliacijos storis, kuriam esant šalto vamzdžio ar paviršiaus temperatūra tik pasiekia aplinkos oro "
       "rasos tašką. Vamzdžiui sprendinys laikomas rastu, kai paviršius yra 0,5 K atstumu nuo rasos taško; "
       "po leistino kartojimų skaičiaus – 2 K atstumu arba 5 cm nuo tikslinio storio, be pranešimo. "
       "Plokščiam paviršiui – 0,05 K atstumu. Storis suapvalinamas iki sveikų milimetrų, todėl paviršius gali "
       "būti šiek tiek žemiau rasos taško: atsargą nuo kondensato pridėkite patys.",
    6: "Izoliacijos storis, kuriam esant tekančios drėgnos terpės vamzdžio ar ortakio vidinė sienelė yra terpės "
       "rasos taško temperatūros. Reikalaujamas laidumas pasiekiamas 1/1000 tikslumu, o storis suapvalinamas "
       "iki sveikų milimetrų; atsargą pridėkite patys. \"<= 0 !\" reiškia, kad izoliacijos nereikia, ir "
       "rodomi neizoliuoto vamzdžio nuostoliai.",
    21: "Dviejų–šešių skirtingų gaminių sluoksnių su duotais storiais šilumos nuostoliai, temperatūros tarp "
        "sluoksnių ir paviršiaus temperatūra.",
    22: "Sluoksnių storiai, atitinkantys reikalaujamas temperatūras tarp sluoksnių ir paviršiaus temperatūrą." + MM,
    23: "Sluoksnių storiai, atitinkantys reikalaujamas temperatūras tarp sluoksnių ir šilumos nuostolius. "
        "Storiai randami iteracijomis ir suapvalinami iki sveikų milimetrų, todėl nuostoliai gali būti šiek "
        "tiek didesni už reikalaujamus.",
    24: "Šilumos nuostoliai prieš ir po naujo išorinio sluoksnio ant esamos izoliacijos, naujos temperatūros "
        "ir, įjungus energijos sutaupymą, metinis sutaupymas.",
}
INPUT = {
    "geometry": "Vamzdis (išorinis skersmuo mm, pasirinktas sąraše arba įvestas) arba plokštuma (aukštis mm).",
    "location": "Patalpoje arba lauke. Lauke naudojamas vėjo greitis.",
    "orientation": "Horizontalus ar vertikalus vamzdis ar paviršius; tai lemia natūralią konvekciją.",
    "medium_temp": "Terpės temperatūra vamzdyje arba už paviršiaus, °C.",
    "ambient": "Aplinkos oro temperatūra, °C.",
    "wind": "Vėjo greitis lauke, m/s.",
    "emissivity": "Išorinio paviršiaus (dangos) spinduliavimo koeficientas; jis lemia šilumos spinduliavimą.",
    "product": "Torvelin izoliacijos gaminys; jo šilumos laidumas priklauso nuo vidutinės temperatūros.",
    "thickness": "Izoliacijos storis mm, pasirinktas iš gaminio storių.",
    "req_surface": "Reikalaujama paviršiaus temperatūra, °C.",
    "req_heatloss": "Reikalaujami šilumos nuostoliai, W/m vamzdžiui arba W/m² paviršiui.",
    "humidity": "Aplinkos oro santykinė drėgmė, %.",
    "velocity": "Terpės greitis vamzdyje, m/s.",
    "medium_humidity": "Terpės santykinė drėgmė, %.",
    "inner_dia": "Vamzdžio vidinis skersmuo, mm.",
    "constant": "Terpės medžiagos konstanta, naudojama šilumos atidavimui vidinėje pusėje.",
    "layers": "Sluoksnių skaičius, nuo 2 iki 6, skaičiuojant nuo terpės į išorę; kiekvienas sluoksnis turi savo gaminį.",
    "interfaces": "Temperatūros tarp sluoksnių, °C; kaip reikalavimai jos riboja kiekvieną gaminį.",
    "existing": "Esama izoliacija: gaminys, storis ir jos paviršiaus spinduliavimo koeficientas.",
    "new": "Naujas išorinis sluoksnis: gaminys, storis ir jo paviršiaus spinduliavimo koeficientas.",
    "savings": "Vamzdžio ilgis arba plotas, neizoliuoto objekto spinduliavimo koeficientas, energijos vienetas "
               "ir kaina bei darbo valandos per metus.",
    ("savings", 24): "Vamzdžio ilgis arba plotas, energijos vienetas ir kaina bei darbo valandos per metus.",
}
RESULT = {
    102: "Rastas izoliacijos storis, sveikais milimetrais.",
    113: "Išorinio paviršiaus temperatūra, °C.",
    115: "Šilumos nuostoliai per izoliaciją, W/m arba W/m².",
    114: "Neizoliuoto objekto šilumos nuostoliai.",
    116: "Metinis izoliacijos sutaupymas pasirinktu energijos vienetu ir kaina.",
    120: "Aplinkos oro rasos taškas, °C.",
    169: "Šilumos nuostoliai, W/m arba W/m².",
    125: "Temperatūros tarp sluoksnių, °C.",
    131: "Šilumos nuostoliai su esama izoliacija.",
    132: "Šilumos nuostoliai su nauju sluoksniu.",
    133: "Metinis naujo sluoksnio sutaupymas.",
}
MESSAGE = {
    "nonconv": "Skaičiavimas nerado pastovaus rezultato per leistiną kartojimų skaičių; rezultatai išvalomi.",
    "over1000": "Rodoma storio laukelyje: reikalingas storis viršija 1000 mm; kiti rezultatai išvalomi.",
    "< 0 !": "Rodoma storio laukelyje: reikalavimas įvykdomas be izoliacijos (neigiamas storis); kiti "
             "rezultatai išvalomi.",
    "<= 0 !": "Rodoma storio laukelyje: izoliacijos nereikia; rodomi neizoliuoto vamzdžio nuostoliai.",
    "limits": "Temperatūra yra už gaminio ribų; rezultatai paliekami.",
    "saving_too_large": "Metinis sutaupymas viršija tai, ką galima apskaičiuoti; patikrinkite sutaupymo duomenis. Šilumos nuostolių rezultatai išlieka.",
    "none_needed": "Izoliacijos nuo vidinio kondensato nereikia.",
    "section": "Šio skersmens ir storio kevalas negaminamas.",
}
