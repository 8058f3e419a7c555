# Norske hjelpetekster.
UI = {
    "computes": "Hva beregningen gir", "inputs": "Inndata", "back": "Innhold",
    "intro": "VELTARO dimensjonerer og kontrollerer teknisk isolasjon av rør, kanaler og plane flater med "
             "Torvelin-produkter. Velg en beregning i menyen, eller klikk på tittelen på startbildet.",
    "limits": "Grenser for inndata",
    "limits_intro": "Beregn kontrollerer først inndata. Hvert inndata som mangler eller ligger utenfor sine "
                    "grenser, vises med en av disse linjene, og ingenting beregnes før det er rettet:",
    "results": "Resultater",
    "report": "Bruk Forhåndsvis for en rapport med inndata og resultater.",
    "messages": "Når det ikke er noe resultat",
}
MM = " Tykkelsen avrundes til hele millimeter."
CALC = {
    1: "Varmetap og overflatetemperatur for et rør eller en plan flate med valgt isolasjonstykkelse. Med "
       "energibesparelse slått på gis også varmetapet for det uisolerte objektet og besparelsen per år.",
    2: "Den isolasjonstykkelsen som gir en krevd overflatetemperatur, og varmetapet ved den tykkelsen. "
       "Tykkelsen finnes ved iterasjon og avrundes til hele millimeter, så overflatetemperaturen ved den viste "
       "tykkelsen kan avvike litt fra kravet.",
    3: "Den isolasjonstykkelsen der varmetapet oppfyller en krevd verdi, og overflatetemperaturen ved den "
       "tykkelsen. Tykkelsen finnes ved iterasjon og avrundes til hele millimeter, så varmetapet ved den viste "
       "tykkelsen kan ende litt over kravet.",
    4: "Den isolasjonstykkelsen som oppfyller en isolasjonsklasse, valgt direkte eller utledet av driftstid "
       "og spillfaktor, med varmetap og overflatetemperatur." + MM,
    5: "Den isolasjonstykkelsen der overflaten på et kaldt rør eller en kald flate akkurat når luftens "
       "duggpunkt. Et rør regnes som funnet når overflaten ligger innenfor 0,5 K av duggpunktet; etter "
       "grensen for antall gjennomløp innenfor 2 K eller 5 cm fra måltykkelsen, uten melding. En plan flate "
       "regnes innenfor 0,05 K. Tykkelsen avrundes til hele millimeter, så overflaten kan ligge litt under "
       "duggpunktet: legg selv til en margin mot kondens.",
    6: "Den isolasjonstykkelsen der innerveggen i et rør eller en kanal med et strømmende fuktig medium har "
       "mediets duggpunkt. Den krevde varmeledningen oppfylles innenfor 1/1000, og tykkelsen avrundes til hele "
       "millimeter; legg selv til en margin. \"<= 0 !\" betyr at det ikke trengs isolasjon, og det uisolerte "
       "varmetapet vises.",
    7: "Temperaturendringen for luft eller røykgass langs en rund ventilasjonskanal: start- eller "
       "slutttemperaturen for en innskrevet isolasjonstykkelse, eller tykkelsen som gir en krevd "
       "slutttemperatur, avrundet til hele millimeter.",
    21: "Varmetap, temperaturer mellom lagene og overflatetemperatur for to til seks lag av ulike produkter "
        "med gitte tykkelser.",
    22: "De lagtykkelsene som oppfyller krevde temperaturer mellom lagene og en krevd overflatetemperatur." + MM,
    23: "De lagtykkelsene som oppfyller krevde temperaturer mellom lagene og et krevd varmetap. Tykkelsene "
        "finnes ved iterasjon og avrundes til hele millimeter, så varmetapet kan ende litt over kravet.",
    24: "Varmetapet før og etter et nytt ytre lag utenpå en eksisterende isolasjon, de nye temperaturene og, "
        "med energibesparelse slått på, besparelsen per år.",
}
INPUT = {
    "geometry": "Rør (utvendig diameter i mm, valgt i listen eller skrevet inn) eller plan flate (høyde i mm).",
    ("geometry", 7): "Den runde kanalens utvendige diameter i mm.",
    "location": "Innendørs eller utendørs. Utendørs brukes vindhastigheten.",
    "orientation": "Vannrett eller loddrett rør eller flate; det bestemmer den frie konveksjonen.",
    ("orientation", 7): "Vannrett eller loddrett kanal; det bestemmer den frie konveksjonen.",
    "medium_temp": "Mediets temperatur i røret eller bak flaten, i °C.",
    "ambient": "Den omgivende luftens temperatur, i °C.",
    "wind": "Vindhastighet utendørs, i m/s.",
    "emissivity": "Den ytre overflatens (kledningens) emisjonstall; det bestemmer varmestrålingen.",
    "product": "Torvelin-isolasjonsproduktet; varmeledningsevnen avhenger av middeltemperaturen.",
    "thickness": "Isolasjonstykkelse i mm, valgt blant produktets tykkelser.",
    ("thickness", 7): "Isolasjonstykkelse i mm, skrevet inn; bare der beregningstypen bruker den.",
    "req_surface": "Overflatetemperaturen som skal nås, i °C.",
    "req_heatloss": "Det krevde varmetapet, i W/m for et rør eller W/m² for en flate.",
    "method": "Enten en isolasjonsklasse valgt i listen, eller driftstimer per år og spillfaktor som klassen "
              "utledes av.",
    "humidity": "Den omgivende luftens relative fuktighet, i %.",
    "velocity": "Mediets hastighet i røret, i m/s.",
    "medium_humidity": "Mediets relative fuktighet, i %.",
    "inner_dia": "Rørets innvendige diameter, i mm.",
    "constant": "Mediets stoffkonstant, brukt for varmeovergangen på innsiden.",
    "calc_type": "Hva som er ukjent: isolasjonstykkelsen, starttemperaturen eller slutttemperaturen.",
    "medium": "Luft eller røykgass i kanalen.",
    "flow": "Mediets strøm i valgt enhet (kg/s, l/h, l/s, m³/h eller m/s).",
    "length": "Kanalens lengde i m.",
    "start_end": "Mediets temperatur der det går inn i og ut av kanalen, i °C.",
    "layers": "Antall lag, 2 til 6, regnet fra mediet og utover; hvert lag har sitt eget produkt.",
    "interfaces": "Temperaturer mellom lagene, i °C; som krav begrenser de hvert produkt.",
    "existing": "Den eksisterende isolasjonen: produkt, tykkelse og emisjonstallet for overflaten.",
    "new": "Det nye ytre laget: produkt, tykkelse og emisjonstallet for overflaten.",
    "savings": "Rørlengde eller areal, det uisolerte objektets emisjonstall, energienhet og pris og "
               "driftstimer per år.",
    ("savings", 24): "Rørlengde eller areal, energienhet og pris og driftstimer per år.",
}
RESULT = {
    102: "Den funnede isolasjonstykkelsen, i hele millimeter.",
    113: "Den ytre overflatens temperatur, i °C.",
    115: "Varmetapet gjennom isolasjonen, i W/m eller W/m².",
    114: "Det uisolerte objektets varmetap.",
    116: "Isolasjonens besparelse per år, med valgt energienhet og pris.",
    120: "Den omgivende luftens duggpunkt, i °C.",
    169: "Varmetapet, i W/m eller W/m².",
    206: "Mediets temperatur der det går inn i kanalen, i °C.",
    207: "Mediets temperatur der det går ut av kanalen, i °C.",
    125: "Temperaturene mellom lagene, i °C.",
    131: "Varmetapet med den eksisterende isolasjonen.",
    132: "Varmetapet med det nye laget.",
    133: "Det nye lagets besparelse per år.",
}
MESSAGE = {
    "nonconv": "Beregningen fant ikke et stabilt resultat innenfor grensen for antall gjennomløp; resultatene "
               "tømmes.",
    "over1000": "Vises i tykkelsesfeltet: tykkelsen som trengs, er over 1000 mm; de øvrige resultatene tømmes.",
    "< 0 !": "Vises i tykkelsesfeltet: kravet er oppfylt uten isolasjon (en negativ tykkelse); de øvrige "
             "resultatene tømmes.",
    "<= 0 !": "Vises i tykkelsesfeltet: det trengs ingen isolasjon; det uisolerte rørets varmetap vises.",
    "limits": "En temperatur ligger utenfor produktets grenser; resultatene beholdes.",
    "saving_too_large": "Den årlige besparelsen ligger utenfor det som kan beregnes; kontroller dataene for besparelsen. Varmetapsresultatene beholdes.",
    "none_needed": "Det trengs ingen isolasjon mot innvendig kondens.",
    "section": "Rørskålen lages ikke i denne diameteren og tykkelsen.",
}
