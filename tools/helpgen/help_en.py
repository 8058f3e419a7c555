# English help texts (UK and the marine edition).
UI = {
    "computes": "What it calculates", "inputs": "Inputs", "back": "Contents",
    "intro": "VELTARO sizes and checks technical insulation of pipes, ducts and flat surfaces with "
             "Torvelin products. Choose a calculation from the menu or click its title on the start picture.",
    "results": "The results appear in the window's result frame. Use Print preview for a report.",
}
CALC = {
    1: "The heat loss and the outer surface temperature of a pipe or a flat surface with a chosen insulation "
       "thickness. With energy savings switched on it also gives the loss of the bare object and the yearly saving.",
    2: "The insulation thickness that gives a required surface temperature, and the heat loss at that thickness.",
    3: "The insulation thickness that keeps the heat loss at or below a required value, and the surface "
       "temperature at that thickness.",
    4: "The insulation thickness that meets a national insulation class, chosen directly or derived from the "
       "operating time and the waste factor, with the heat loss and the surface temperature.",
    5: "The insulation thickness that keeps the outer surface of a cold pipe or surface above the dew point of "
       "the surrounding air, so that no condensation forms on it.",
    6: "The insulation thickness that keeps a flowing moist medium above its dew point inside the pipe or duct, "
       "so that it does not condense on the inner wall.",
    7: "The temperature change of air or flue gas along a ventilation duct, or the insulation thickness that "
       "keeps the end temperature at a required value.",
    21: "The heat loss, the temperatures between the layers and the surface temperature of two to six layers "
        "of different products with given thicknesses.",
    22: "The layer thicknesses that meet required temperatures between the layers and a required surface "
        "temperature.",
    23: "The layer thicknesses that meet required temperatures between the layers and a required heat loss.",
    24: "The heat loss before and after adding one new outer layer to an existing insulation, the new "
        "temperatures and the yearly saving.",
}
INPUT = {
    "geometry": "Pipe (outer diameter in mm, chosen from the list or typed) or flat surface (height in mm).",
    "location": "Indoors or outdoors. Outdoors the wind speed is used.",
    "orientation": "Horizontal or vertical pipe or surface; it decides the free convection.",
    "medium_temp": "Temperature of the medium inside the pipe or behind the surface, in °C.",
    "ambient": "Temperature of the surrounding air, in °C.",
    "wind": "Wind speed outdoors, 1 to 50 m/s.",
    "emissivity": "Emissivity of the outer surface (cladding); it decides the heat radiated.",
    "product": "The Torvelin insulation product; its conductivity depends on the mean temperature.",
    "thickness": "Insulation thickness in mm, chosen from the product's thicknesses.",
    "req_surface": "The surface temperature to be reached, in °C.",
    "req_heatloss": "The highest heat loss allowed, in W/m for a pipe or W/m² for a surface.",
    "method": "Either an insulation class chosen from the list, or the operating hours per year and the "
              "waste factor from which the class is derived.",
    "humidity": "Relative humidity of the surrounding air, in %.",
    "velocity": "Speed of the medium inside the pipe, in m/s.",
    "medium_humidity": "Relative humidity of the medium, in %.",
    "inner_dia": "Inner diameter of the pipe, in mm.",
    "constant": "Material constant of the medium, used for the heat transfer on the inside.",
    "calc_type": "What is unknown: the insulation thickness, the start temperature or the end temperature.",
    "medium": "Air or flue gas in the duct.",
    "flow": "Flow of the medium in the chosen unit (kg/s, l/h, l/s, m³/h or m/s).",
    "length": "Length of the duct in m.",
    "start_end": "Temperature of the medium where it enters and where it leaves the duct, in °C.",
    "layers": "Number of layers, 2 to 6, counted from the medium outwards; each layer has its own product.",
    "interfaces": "Temperatures between the layers, in °C; with required values they limit each product.",
    "existing": "The existing insulation: product, thickness and surface emissivity.",
    "new": "The new outer layer: product, thickness and surface emissivity.",
    "savings": "Pipe length or surface area, energy unit and price, and operating hours per year.",
}
