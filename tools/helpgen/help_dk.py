# Danske hjælpetekster.
UI = {
    "computes": "Hvad beregningen giver", "inputs": "Inddata", "back": "Indhold",
    "intro": "VELTARO dimensionerer og kontrollerer teknisk isolering af rør, kanaler og plane flader med "
             "Torvelin produkter. Vælg en beregning i menuen, eller klik på dens titel på startbilledet.",
    "results": "Resultaterne vises i vinduets resultatramme. Brug Vis udskrift for en rapport.",
}
CALC = {
    1: "Varmetab og overfladetemperatur for et rør eller en plan flade med en valgt isoleringstykkelse. Med "
       "energibesparelse slået til gives også varmetabet for det uisolerede emne og besparelsen pr. år.",
    2: "Den isoleringstykkelse, der giver en krævet overfladetemperatur, og varmetabet ved den tykkelse.",
    3: "Den isoleringstykkelse, der holder varmetabet på eller under en krævet værdi, og "
       "overfladetemperaturen ved den tykkelse.",
    4: "Den isoleringstykkelse, der opfylder en isoleringsklasse, valgt direkte eller fundet ud fra driftstid "
       "og spildfaktor, med varmetab og overfladetemperatur.",
    5: "Den isoleringstykkelse, der holder overfladen på et koldt rør eller emne over luftens dugpunkt, så "
       "der ikke dannes kondens på den.",
    6: "Den isoleringstykkelse, der holder et strømmende fugtigt medie over sit dugpunkt inde i røret eller "
       "kanalen, så det ikke kondenserer på indervæggen.",
    7: "Temperaturændringen for luft eller røggas gennem en ventilationskanal, eller den isoleringstykkelse, "
       "der holder sluttemperaturen på en krævet værdi.",
    21: "Varmetab, temperaturerne mellem lagene og overfladetemperaturen for to til seks lag af forskellige "
        "produkter med givne tykkelser.",
    22: "De lagtykkelser, der opfylder krævede temperaturer mellem lagene og en krævet overfladetemperatur.",
    23: "De lagtykkelser, der opfylder krævede temperaturer mellem lagene og et krævet varmetab.",
    24: "Varmetabet før og efter et nyt yderste lag på en eksisterende isolering, de nye temperaturer og "
        "besparelsen pr. år.",
}
INPUT = {
    "geometry": "Rør (udvendig diameter i mm, valgt i listen eller indtastet) eller plan flade (højde i mm).",
    "location": "Indendørs eller udendørs. Udendørs bruges vindhastigheden.",
    "orientation": "Vandret eller lodret rør eller flade; det bestemmer den frie konvektion.",
    "medium_temp": "Temperaturen af mediet i røret eller bag fladen, i °C.",
    "ambient": "Temperaturen af den omgivende luft, i °C.",
    "wind": "Vindhastighed udendørs, 1 til 50 m/s.",
    "emissivity": "Emissionstal for den ydre overflade (beklædning); det bestemmer varmestrålingen.",
    "product": "Torvelin isoleringsproduktet; dets varmeledningsevne afhænger af middeltemperaturen.",
    "thickness": "Isoleringstykkelse i mm, valgt blandt produktets tykkelser.",
    "req_surface": "Den overfladetemperatur, der skal nås, i °C.",
    "req_heatloss": "Det største tilladte varmetab, i W/m for et rør eller W/m² for en flade.",
    "method": "Enten en isoleringsklasse valgt i listen, eller driftstimer pr. år og spildfaktor, som "
              "klassen findes ud fra.",
    "humidity": "Den omgivende lufts relative luftfugtighed, i %.",
    "velocity": "Mediets hastighed i røret, i m/s.",
    "medium_humidity": "Mediets relative luftfugtighed, i %.",
    "inner_dia": "Rørets indvendige diameter, i mm.",
    "constant": "Mediets stofkonstant, som bruges til varmeovergangen på indersiden.",
    "calc_type": "Hvad der søges: isoleringstykkelsen, starttemperaturen eller sluttemperaturen.",
    "medium": "Luft eller røggas i kanalen.",
    "flow": "Mediets mængde i den valgte enhed (kg/s, l/h, l/s, m³/h eller m/s).",
    "length": "Kanalens længde i m.",
    "start_end": "Mediets temperatur, hvor det løber ind i og ud af kanalen, i °C.",
    "layers": "Antal lag, 2 til 6, regnet fra mediet og udad; hvert lag har sit eget produkt.",
    "interfaces": "Temperaturerne mellem lagene, i °C; krævede værdier begrænser hvert produkt.",
    "existing": "Den eksisterende isolering: produkt, tykkelse og overfladens emissionstal.",
    "new": "Det nye yderste lag: produkt, tykkelse og overfladens emissionstal.",
    "savings": "Rørlængde eller areal, energienhed og pris samt driftstimer pr. år.",
}
